// Writing History.csv: each row in one append, so that a kill or a power loss can tear only
// the row being written; the file kept to its newest kMaxHistoryRows rows by a crash-safe
// rewrite, the same replacement as Config.ini's saves.
#pragma once

#include "history/history_row.h"
#include "settings/file_platform.h"

#include <string>
#include <string_view>

namespace quorrin {

inline constexpr std::string_view kHistoryFileName = "History.csv";

// The file beside Config.ini: `configFolder` ends with its separator, or is empty.
std::string HistoryPathIn(std::string_view configFolder);

// Adds the row at the end of the file:
// - a new or empty file gets the UTF-8 byte-order mark and the header row first;
// - a file that does not end in a line break (a row torn by a kill) gets one first, so the
//   new row starts on a line of its own;
// - a file holding kMaxHistoryRows rows, or one in another encoding (a spreadsheet saved it
//   as UTF-16, say), or too large to read whole, is written anew instead, from the rows it
//   holds (the newest, lines that are not rows left out) and the new row, by the crash-safe
//   replace.
FileStatus AppendHistoryRow(FilePlatform& platform, const std::string& path, const HistoryRow& row,
                            FlushMode flush = FlushMode::ToDisk);

}  // namespace quorrin
