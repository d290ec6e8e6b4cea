#include "history/history_file.h"

#include "history/history_reader.h"
#include "settings/file_access.h"

#include <algorithm>

namespace quorrin {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";

std::string HeaderText() {
    std::string text(kUtf8Bom);
    text += kHistoryHeader;
    text += kLineEnd;
    return text;
}

// Lines, counted by their breaks (LF, or a lone CR in a file that has no LF): at least the
// records, so a file under the cap by this count is certainly under it by rows.
size_t LineCount(std::string_view bytes) {
    const auto lf = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
    return lf > 0 ? lf : static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\r'));
}

bool EndsInLineBreak(std::string_view bytes) {
    return bytes.ends_with('\n') || bytes.ends_with('\r');
}

// A file this program wrote: the mark and the header line. Anything else (another encoding,
// another separator, the header edited away, a first write torn) is written anew.
bool AppendsAfter(std::string_view bytes) {
    const std::string header = HeaderText();
    const std::string_view headerLine = std::string_view(header).substr(0, header.size() - 2);
    return bytes.starts_with(headerLine) && bytes.size() > headerLine.size() &&
           (bytes[headerLine.size()] == '\r' || bytes[headerLine.size()] == '\n');
}

FileStatus Rewrite(FilePlatform& platform, const std::string& path, const std::string& line,
                   FlushMode flush) {
    const HistoryFile old = ReadHistoryFile(platform, path);
    if (!old.status) return old.status;
    const std::vector<HistoryRow>& rows = old.content.rows;
    const size_t kept = std::min(rows.size(), kMaxHistoryRows - 1);
    std::string text = HeaderText();
    for (auto row = rows.end() - static_cast<ptrdiff_t>(kept); row != rows.end(); ++row) {
        text += HistoryLine(*row);
    }
    text += line;
    return ReplaceFileAtomically(platform, path, text, flush);
}

}  // namespace

std::string HistoryPathIn(std::string_view configFolder) {
    std::string path(configFolder);
    path += kHistoryFileName;
    return path;
}

FileStatus AppendHistoryRow(FilePlatform& platform, const std::string& path, const HistoryRow& row,
                            FlushMode flush) {
    std::string bytes;
    uint64_t size = 0;
    if (FileStatus read = ReadFilePart(platform, path, 0, kHistoryReadLimitBytes, bytes, size);
        !read) {
        return read;
    }
    const std::string line = HistoryLine(row);
    if (bytes.empty()) return AppendToFile(platform, path, HeaderText() + line, flush);
    if (!AppendsAfter(bytes) || size > bytes.size() || LineCount(bytes) >= kMaxHistoryRows) {
        return Rewrite(platform, path, line, flush);
    }
    return AppendToFile(platform, path,
                        EndsInLineBreak(bytes) ? line : std::string(kLineEnd) + line, flush);
}

}  // namespace quorrin
