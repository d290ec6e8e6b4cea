#include "history/history_writer_win32.h"

#include "history/history_file.h"
#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

#include <windows.h>

#include <utility>

namespace quorrin {

HistoryWriter::HistoryWriter(std::string_view configFolder, FilePlatform& platform)
    : path_(HistoryPathIn(configFolder)), platform_(platform) {}

bool HistoryWriter::Write(const HistoryRow& row, bool enabled) {
    if (!enabled) return false;
    const FileStatus status = AppendHistoryRow(platform_, path_, row);
    if (status) return false;
    // The platform layer logged the failed call; this line names the file and the reason.
    SetLastError(status.Error().code);
    LogLastError(L"appending a row to " + Utf8ToWide(path_));
    return !std::exchange(failedBefore_, true);
}

LocalDateTime LocalTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace quorrin
