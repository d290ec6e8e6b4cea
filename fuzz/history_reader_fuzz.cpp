// History.csv as anything may leave it: torn by a kill, edited by hand, saved again by a
// spreadsheet in another encoding. Input: the file's bytes.
// Properties: the reader returns at most the kept number of rows; every row it reads,
// written again, reads back the same; a row appended by the program's writer reads back
// as the last row, after the rows the file held (the newest, where the cap or a rewrite
// keeps fewer), so that no damage in a file spoils the rows written after it.
#include "fuzz_support.h"
#include "history/history_file.h"
#include "history/history_reader.h"

#include <algorithm>
#include <string>

namespace quorrin {
namespace {

const HistoryRow kAppended{{2026, 12, 8, 20, 15, 0}, "\"Q4\", draft\t2", 1800, 600, 640, 5, 40,
                           TalkEnd::TimeUp};

std::string Rewritten(const std::vector<HistoryRow>& rows) {
    std::string text = "\xEF\xBB\xBF";
    text += kHistoryHeader;
    text += "\r\n";
    for (const HistoryRow& row : rows) text += HistoryLine(row);
    return text;
}

void CheckInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const HistoryContent content = ParseHistory(bytes);
    FUZZ_CHECK(content.rows.size() <= kMaxHistoryRows);

    const HistoryContent again = ParseHistory(Rewritten(content.rows));
    FUZZ_CHECK(again.rows == content.rows);
    FUZZ_CHECK(again.skipped == 0);

    MemoryFilePlatform platform;
    platform.files["History.csv"] = bytes;
    FUZZ_CHECK(AppendHistoryRow(platform, "History.csv", kAppended));
    const HistoryContent after = ParseHistory(platform.files["History.csv"]);
    FUZZ_CHECK(!after.rows.empty() && after.rows.back() == kAppended);
    const size_t kept = after.rows.size() - 1;
    FUZZ_CHECK(kept <= content.rows.size());
    FUZZ_CHECK(std::equal(after.rows.begin(), after.rows.end() - 1,
                          content.rows.end() - static_cast<ptrdiff_t>(kept)));
    FUZZ_CHECK(kept == content.rows.size() || kept == kMaxHistoryRows - 1);
}

}  // namespace
}  // namespace quorrin

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    quorrin::CheckInput(data, size);
    return 0;
}
