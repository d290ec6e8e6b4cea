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

// The list box's text of a row: five tab-separated columns, duration (HH:MM:SS), warning
// time, "是"/"否" for the flash, "是"/"否" for closing the show, and the presentation's name
// (PresentationNameToShow), in the current language.
std::string TimingRowText(const PresentationSlot& row, bool sharedTiming);

// A row's name as the dialogs show it: the shared timing's label "所有演示文稿" in the
// current language, a presentation's name as it is; and the name a shown text stands for.
std::string PresentationNameToShow(const std::string& file, bool sharedTiming);
std::string PresentationNameFromShown(const std::string& shown, bool sharedTiming);

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

// The entry editor's messages about a chosen name.
std::string NameClashMessage(std::string_view name, std::string_view listed);
std::string NameNotStorableMessage(std::string_view fileName);

// The presentation files the open-file dialog offers, and its filter.
inline constexpr std::string_view kPresentationPatterns = "*.ppt;*.pptx;*.pps;*.ppsx;*.dps";
std::string PresentationFilter();

}  // namespace quorrin
