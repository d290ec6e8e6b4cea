// The text of one row of the presentation timing list, and the checks on a presentation's
// name: its base name from the chosen file, the clash with names already listed, and
// whether Config.ini can hold it so that it reads back the same.
//
// A row is five tab-separated columns: duration (HH:MM:SS), warning time, "是"/"否" for the
// flash, "是"/"否" for closing the show, and the presentation's name.
#pragma once

#include "settings/app_state.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

inline constexpr const char* kRowYes = "是";
inline constexpr const char* kRowNo = "否";

// The list's columns as the dialogs hand them about.
struct TimingFields {
    std::string duration;  // HH:MM:SS
    std::string warning;   // HH:MM:SS
    bool flush = false;
    bool close = false;
    std::string file;

    bool operator==(const TimingFields&) const = default;
};

// The row of a presentation slot.
std::string TimingRow(const PresentationSlot& slot);
std::string JoinTimingRow(const TimingFields& fields);
// The five columns of a row; missing columns are empty, and only an exact "是" is yes.
TimingFields SplitTimingRow(std::string_view row);
// The name column: the text after the row's last tab (the whole row without one).
std::string RowFileName(std::string_view row);

// The name a show's title is searched for: the path after its last "\", trailing spaces
// removed, and cut before its last "." (only the last extension goes).
std::string PresentationBaseName(std::string_view path);

// The name of the first row that contains `name` or is contained in it (exact characters,
// case counts), or nothing when no row clashes.
std::optional<std::string> FindNameClash(std::string_view name,
                                         const std::vector<std::string>& rows);

// Whether Config.ini can hold the name and give it back unchanged to the reader: not empty,
// every character in GBK, no white space the reader trims and no quotes it strips at
// either end, and short enough for its buffer.
bool NameStorableInSettings(std::string_view name);

// The messages of the entry editor.
std::string NameClashMessage(std::string_view name, std::string_view listed);
inline constexpr const char* kNoFileMessage = "请选择需要倒计时的PPT文件!";
std::string NameNotStorableMessage(std::string_view fileName);

// The open-file dialog's filter and title for presentations.
inline constexpr char kPresentationFilterText[] =
    "PPT文件(*.ppt;*.pptx;*.pps;*.ppsx;*.dps)\0*.ppt;*.pptx;*.pps;*.ppsx;*.dps\0";
inline constexpr std::string_view kPresentationFilter{kPresentationFilterText,
                                                      sizeof(kPresentationFilterText) - 1};
inline constexpr const char* kPresentationPickerTitle = "选择PPT文件";

}  // namespace quorrin
