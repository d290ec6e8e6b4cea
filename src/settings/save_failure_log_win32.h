// A line in the debug log for a settings save the user is not told about: what was being
// saved, the file and the reason.
#pragma once

#include "settings/config_file.h"

#include <string_view>

namespace quorrin {

void LogSaveFailure(std::wstring_view whatWasSaved, const ConfigFile& config,
                    const FileStatus& status);

}  // namespace quorrin
