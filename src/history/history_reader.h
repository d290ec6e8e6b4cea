// The tolerant reader of History.csv: whatever the file holds (torn by a kill, edited by hand,
// saved again by a spreadsheet as UTF-16, as GBK or without its byte-order mark, huge, or
// not a history at all), it returns the rows it can read and counts the records it skipped.
// It never fails on the content; only the file system can make it fail.
#pragma once

#include "history/history_row.h"
#include "settings/file_platform.h"

#include <cstddef>
#include <string>
#include <vector>

namespace quorrin {

// The most rows the file keeps, and the most the reader returns (the newest).
inline constexpr size_t kMaxHistoryRows = 5000;
// The most of a file that is read: its end, where the newest rows are. 5,000 rows take
// about 400 KB, so this bounds the work on a huge file while any file that the program
// wrote is read whole.
inline constexpr size_t kHistoryReadLimitBytes = 4 * 1024 * 1024;

struct HistoryContent {
    std::vector<HistoryRow> rows;  // oldest first
    // Records that are not a row: a torn last line, a damaged or foreign line. The header
    // row and empty lines are not counted.
    size_t skipped = 0;
    // Older rows were left out: the file is larger than the read limit, or holds more than
    // kMaxHistoryRows rows.
    bool cutShort = false;
};

// The rows of a file's bytes, in any of the encodings a Config.ini may arrive in.
// A spreadsheet's tab-separated text is read too.
HistoryContent ParseHistory(std::string bytes);

struct HistoryFile {
    FileStatus status;  // a missing file reads as empty
    HistoryContent content;
};
HistoryFile ReadHistoryFile(FilePlatform& platform, const std::string& path);

}  // namespace quorrin
