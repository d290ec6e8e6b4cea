#include "history/history_reader.h"

#include "settings/file_access.h"
#include "settings/file_encoding.h"
#include "settings/text_codec.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quorrin {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf8BomCharacter = kUtf8Bom;  // U+FEFF inside UTF-8 text
constexpr size_t kLongestBom = 3;
// A quoted field may hold line breaks, but a presentation's name holds few if any: a record
// is cut off after this many lines, so that a stray quote cannot swallow the rest of the
// file and the resync after it stays linear.
constexpr size_t kMostLinesInRecord = 8;
// Fields beyond a row's (trailing empty ones, which some spreadsheets add) are allowed up to
// this many; more make the record damaged without storing them.
constexpr size_t kMostFieldsInRecord = 32;

constexpr std::array<std::string_view, kHistoryColumnCount> kColumnNames = {
    "Start", "Presentation", "Planned", "ResumedFrom", "Actual", "Paused", "Overtime", "End"};

// Where the line that holds `pos` ends: just past its line break (CRLF, LF or a lone CR), or
// the end of the text.
size_t NextLineStart(std::string_view text, size_t pos) {
    const size_t brk = text.find_first_of("\r\n", pos);
    if (brk == std::string_view::npos) return text.size();
    if (text[brk] == '\r' && brk + 1 < text.size() && text[brk + 1] == '\n') return brk + 2;
    return brk + 1;
}

// Whether the line from `pos` begins like a row: a year and the separator after it.
bool LooksLikeRowStart(std::string_view text, size_t pos) {
    if (pos < text.size() && text[pos] == '"') ++pos;
    constexpr size_t kYearDigits = 4;
    if (text.size() - std::min(pos, text.size()) <= kYearDigits) return false;
    for (size_t i = 0; i < kYearDigits; ++i) {
        if (text[pos + i] < '0' || text[pos + i] > '9') return false;
    }
    return text[pos + kYearDigits] == '-' || text[pos + kYearDigits] == '/';
}

struct Record {
    std::vector<std::string> fields;
    bool wellFormed = true;
    size_t next = 0;  // where the next record starts, after a well-formed one
};

// One RFC 4180 record from `pos`. A quote inside an unquoted field is taken as it is (a hand
// edit); after a closing quote only a separator or a line break may follow. A quoted field
// never runs into a line that begins like a row: such a field was torn (a kill during the
// append), and the row after it, appended later on a line of its own, must still read. (The
// program never writes a line break into a name: Config.ini's values are single lines.)
Record ReadRecord(std::string_view text, size_t pos, char separator) {
    Record record;
    std::string field;
    size_t lines = 0;
    // The caller goes on after the record's first line.
    const auto damaged = [&] {
        record.wellFormed = false;
        return std::move(record);
    };
    for (;;) {
        if (pos < text.size() && text[pos] == '"') {
            for (++pos;; ++pos) {
                if (pos >= text.size() || lines >= kMostLinesInRecord) return damaged();
                const char c = text[pos];
                if (c == '"') {
                    if (pos + 1 < text.size() && text[pos + 1] == '"') {
                        field += '"';
                        ++pos;
                        continue;
                    }
                    ++pos;
                    break;
                }
                if (c == '\n' || (c == '\r' && (pos + 1 >= text.size() || text[pos + 1] != '\n'))) {
                    ++lines;
                    if (LooksLikeRowStart(text, pos + 1)) return damaged();
                }
                field += c;
            }
            if (pos < text.size() && text[pos] != separator && text[pos] != '\r' &&
                text[pos] != '\n') {
                return damaged();
            }
        } else {
            size_t stop = pos;
            while (stop < text.size() && text[stop] != separator && text[stop] != '\r' &&
                   text[stop] != '\n') {
                ++stop;
            }
            field.assign(text.substr(pos, stop - pos));
            pos = stop;
        }
        if (record.fields.size() >= kMostFieldsInRecord) return damaged();
        record.fields.push_back(std::move(field));
        field.clear();
        if (pos < text.size() && text[pos] == separator) {
            ++pos;
            continue;
        }
        record.next = NextLineStart(text, pos);
        return record;
    }
}

std::string_view WithoutBomCharacter(std::string_view field) {
    if (field.starts_with(kUtf8BomCharacter)) field.remove_prefix(kUtf8BomCharacter.size());
    return field;
}

bool AllEmptyFrom(const std::vector<std::string>& fields, size_t first) {
    for (size_t i = first; i < fields.size(); ++i) {
        if (!fields[i].empty()) return false;
    }
    return true;
}

bool IsHeader(const std::vector<std::string>& fields) {
    if (fields.size() < kHistoryColumnCount || !AllEmptyFrom(fields, kHistoryColumnCount)) {
        return false;
    }
    for (size_t i = 0; i < kHistoryColumnCount; ++i) {
        if (WithoutBomCharacter(fields[i]) != kColumnNames[i]) return false;
    }
    return true;
}

std::optional<HistoryRow> RowOf(const std::vector<std::string>& fields) {
    if (fields.size() < kHistoryColumnCount || !AllEmptyFrom(fields, kHistoryColumnCount)) {
        return std::nullopt;
    }
    HistoryRow row;
    const auto start = ParseStart(WithoutBomCharacter(fields[0]));
    const auto planned = ParseDuration(fields[2]);
    const auto actual = ParseDuration(fields[4]);
    const auto paused = ParseDuration(fields[5]);
    const auto overtime = ParseDuration(fields[6]);
    const auto end = ParseEnd(fields[7]);
    if (!start || !planned || !actual || !paused || !overtime || !end) return std::nullopt;
    if (fields[3].find_first_not_of(" \t") != std::string::npos) {
        row.resumedFromSeconds = ParseDuration(fields[3]);
        if (!row.resumedFromSeconds) return std::nullopt;
    }
    row.start = *start;
    row.presentation = fields[1];
    row.plannedSeconds = *planned;
    row.actualSeconds = *actual;
    row.pausedSeconds = *paused;
    row.overtimeSeconds = *overtime;
    row.end = *end;
    return row;
}

// A spreadsheet's "Unicode text" is separated by tabs: the first line tells.
char SeparatorOf(std::string_view text) {
    const std::string_view first = text.substr(0, NextLineStart(text, 0));
    const bool tabs = first.find('\t') != std::string_view::npos;
    return tabs && first.find(',') == std::string_view::npos ? '\t' : ',';
}

std::string Utf8TextOf(std::string bytes) {
    FileText decoded = DecodeFileBytes(std::move(bytes));
    if (decoded.encoding == FileEncoding::Gbk) return GbkToUtf8(decoded.text);
    return std::move(decoded.text);
}

HistoryContent ParseText(std::string_view text, size_t from) {
    HistoryContent content;
    const char separator = SeparatorOf(text);
    for (size_t pos = from; pos < text.size();) {
        Record record = ReadRecord(text, pos, separator);
        std::optional<HistoryRow> row;
        if (record.wellFormed) row = RowOf(record.fields);
        if (row) {
            content.rows.push_back(std::move(*row));
            pos = record.next;
            continue;
        }
        // A record that is not a row gives up only its first line: a stray quote in a
        // damaged line must not take the rows after it along.
        const size_t next = NextLineStart(text, pos);
        const bool blank = record.wellFormed && record.fields.size() == 1 &&
                           record.fields[0].find_first_not_of(" \t") == std::string::npos;
        if (!blank && !(record.wellFormed && IsHeader(record.fields))) ++content.skipped;
        pos = next;
    }
    if (content.rows.size() > kMaxHistoryRows) {
        content.rows.erase(content.rows.begin(),
                           content.rows.end() - static_cast<ptrdiff_t>(kMaxHistoryRows));
        content.cutShort = true;
    }
    return content;
}

}  // namespace

HistoryContent ParseHistory(std::string bytes) {
    const std::string text = Utf8TextOf(std::move(bytes));
    return ParseText(text, 0);
}

HistoryFile ReadHistoryFile(FilePlatform& platform, const std::string& path) {
    HistoryFile file;
    std::string bytes;
    uint64_t size = 0;
    file.status = ReadFilePart(platform, path, 0, kHistoryReadLimitBytes, bytes, size);
    if (!file.status) return file;
    if (size <= bytes.size()) {
        file.content = ParseHistory(std::move(bytes));
        return file;
    }
    // A huge file: its beginning tells the encoding, the newest rows are at its end.
    const FileEncoding encoding =
        DetectFileEncoding(std::string_view(bytes).substr(0, kLongestBom));
    const bool utf16 = encoding == FileEncoding::Utf16Le || encoding == FileEncoding::Utf16Be;
    const std::string bom = bytes.substr(0, encoding == FileEncoding::Utf8WithBom ? kUtf8Bom.size()
                                            : utf16                               ? 2
                                                                                  : 0);
    uint64_t offset = size - kHistoryReadLimitBytes;
    if (utf16) offset += offset % 2;  // whole code units
    std::string tail;
    file.status = ReadFilePart(platform, path, offset, kHistoryReadLimitBytes, tail, size);
    if (!file.status) return file;
    if (utf16) {
        // The line cut by the offset is dropped once it is text.
        const std::string text = Utf8TextOf(bom + tail);
        file.content = ParseText(text, NextLineStart(text, 0));
    } else {
        // Cut before decoding: the offset may fall inside a character.
        const size_t firstLine = NextLineStart(tail, 0);
        file.content = ParseHistory(bom + tail.substr(firstLine));
    }
    file.content.cutShort = true;
    return file;
}

}  // namespace quorrin
