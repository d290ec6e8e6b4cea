// The decisions of the sound settings dialog that need no window: which path a sound label
// may take after the file dialog, and what the end-signal check box means.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace quorrin {

// The file dialog's filter and title for sound files ("声音文件" / "选择声音文件"). The
// description's comma before *.wma is as users know it; the patterns decide.
inline constexpr char kSoundFileFilterText[] = "声音文件(*.wav;*.mp3,*.wma)\0*.wav;*.mp3;*.wma\0";
inline constexpr std::string_view kSoundFileFilter{kSoundFileFilterText,
                                                   sizeof(kSoundFileFilterText) - 1};
inline constexpr const char* kSoundPickerTitle = "选择声音文件";

// Another name for the same file, e.g. its 8.3 short form; "" when there is none.
using AlternatePathName = std::function<std::string(const std::string& path)>;

// The path a sound label takes for a file picked in the dialog: the path itself when the
// settings file can hold it (ValueFitsSettings: any script, not too long), otherwise its alternate
// name when that one can be held, and otherwise "" (the label keeps its old text). "" stays "" (the
// dialog was cancelled).
std::string SoundPathToKeep(const std::string& picked, const AlternatePathName& alternate);

// The end signal is on unless the check box is cleared: a grey (indeterminate) box counts
// as ticked.
bool EndWarningFromCheckState(int checkState);

}  // namespace quorrin
