// The decisions of the sound settings dialog that need no window: which path a sound label
// may take after the file dialog, and how a sound setting is shown.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorrin {

// The sound files the file dialog offers. Its filter (the description in the current
// language, then these patterns; the Chinese description's comma before *.wma is as users
// know it, the patterns decide) and its title come from the texts.
inline constexpr std::string_view kSoundFilePatterns = "*.wav;*.mp3;*.wma";
std::string SoundFileFilter();

// Another name for the same file, e.g. its 8.3 short form; "" when there is none.
using AlternatePathName = std::function<std::string(const std::string& path)>;

// The path a sound label takes for a file picked in the dialog: the path itself when the
// settings file can hold it (ValueFitsSettings: any script, not too long), otherwise its alternate
// name when that one can be held, and otherwise "" (the label keeps its old text). "" stays "" (the
// dialog was cancelled).
std::string SoundPathToKeep(const std::string& picked, const AlternatePathName& alternate);

// A sound setting as the dialog shows it: the file, or "默认声音" in the current language;
// and the setting a shown text stands for.
std::string SoundSettingToShow(const std::string& setting);
std::string SoundSettingFromShown(const std::string& shown);

}  // namespace quorrin
