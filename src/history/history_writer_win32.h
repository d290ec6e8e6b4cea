// The program's writer of History.csv, beside Config.ini. A file that cannot be written is
// told to the user once per run (the caller's balloon), never once per show; every failure
// goes to the debug log with the system's reason.
#pragma once

#include "history/history_row.h"
#include "settings/file_platform.h"

#include <string>

namespace quorrin {

class HistoryWriter {
  public:
    // `configFolder`: the folder part of Config.ini's path (UTF-8, ending with its
    // separator).
    explicit HistoryWriter(std::string_view configFolder,
                           FilePlatform& platform = SystemFilePlatform());

    // Appends the row, unless the record is turned off. True only for the first failure of
    // this run: the caller shows its one balloon then.
    bool Write(const HistoryRow& row, bool enabled);

    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    FilePlatform& platform_;
    bool failedBefore_ = false;
};

// The local date and time now, for the start of a talk.
LocalDateTime LocalTimeNow();

}  // namespace quorrin
