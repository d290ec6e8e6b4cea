// How a row of the presentation timing list is shown, and the checks on a presentation's
// name: its base name from the chosen file, the clash with names already listed, and
// whether Config.ini can hold it so that it reads back the same.
#pragma once

#include "settings/app_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

inline constexpr const char* kRowYes = "是";
inline constexpr const char* kRowNo = "否";

// The list box's text of a row: five tab-separated columns, duration (HH:MM:SS), warning
// time, "是"/"否" for the flash, "是"/"否" for closing the show, and the presentation's name.
std::string TimingRowText(const PresentationSlot& row);

// The name a show's title is searched for: the path after its last "\", trailing spaces
// removed, and cut before its last "." (only the last extension goes).
std::string PresentationBaseName(std::string_view path);

// The first listed name that contains `name` or is contained in it (exact characters, case
// counts), or nothing when none clashes.
std::optional<std::string> FindNameClash(std::string_view name,
                                         const std::vector<std::string>& listed);

// Whether Config.ini can hold the name and give it back unchanged to the reader: not empty,
// in any script, no white space the reader trims and no quotes it strips at either end, and
// short enough for its buffer (ValueFitsSettings).
bool NameStorableInSettings(std::string_view name);

// The messages of the entry editor.
std::string NameClashMessage(std::string_view name, std::string_view listed);
inline constexpr const char* kNoFileMessage = "请选择需要倒计时的PPT文件!";
inline constexpr const char* kBadTimeMessage =
    "请输入有效的时间（时:分:秒，00:00:00 至 23:59:59）!";
std::string NameNotStorableMessage(std::string_view fileName);

// The open-file dialog's filter and title for presentations.
inline constexpr char kPresentationFilterText[] =
    "PPT文件(*.ppt;*.pptx;*.pps;*.ppsx;*.dps)\0*.ppt;*.pptx;*.pps;*.ppsx;*.dps\0";
inline constexpr std::string_view kPresentationFilter{kPresentationFilterText,
                                                      sizeof(kPresentationFilterText) - 1};
inline constexpr const char* kPresentationPickerTitle = "选择PPT文件";

}  // namespace quorrin
