// The system's open-file and colour dialogs, as two calls that block until the user is done
// and keep nothing between calls.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace quorrin {

// PickColor's answer when the user cancels or the dialog fails; never a colour.
inline constexpr int32_t kNoColor = -1;

// Shows the open-file dialog and returns the chosen file's full path (UTF-8), or "" when
// the user cancels or the dialog fails. `filter` is UTF-8 description/pattern pairs, each
// part followed by a NUL ("Sounds\0*.wav\0"). The file must exist. `owner` is disabled
// while the dialog is open (null: no owner).
std::string PickOpenFile(std::string_view filter, std::string_view title, HWND owner = nullptr);

// Shows the colour dialog owned by `owner` and returns the chosen colour as 0x00BBGGRR, or
// kNoColor when the user cancels or the dialog fails. It opens with no colour preselected
// and black custom colours.
int32_t PickColor(HWND owner);

}  // namespace quorrin
