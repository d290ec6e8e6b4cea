#include "settings/save_failure_log_win32.h"

#include "win32/debug_log_win32.h"
#include "win32/wide_text_win32.h"

namespace quorrin {

void LogSaveFailure(std::wstring_view whatWasSaved, const ConfigFile& config,
                    const FileStatus& status) {
    LogDebug(whatWasSaved, Utf8ToWide(config.Path() + ": " + config.DescribeFailure(status)));
}

}  // namespace quorrin
