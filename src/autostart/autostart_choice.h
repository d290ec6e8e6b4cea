// Whether this copy of the program starts with Windows, decided from what the registry holds:
// the Run value "Quorrin" (a command line: the quoted path of the .exe, perhaps followed by
// arguments), Task Manager's StartupApproved bytes for that name, and where the .exe lies.
// Pure logic; autostart_win32 reads and writes the registry.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorrin {

// Why the user cannot switch it here.
enum class AutostartBlock {
    None,
    // The user disabled the entry in Task Manager: that choice is left alone.
    DisabledInTaskManager,
    // A program on a removable drive may not be there at the next start.
    RemovableDrive,
};

// What the registry and the file system say, as read when the menu opens.
struct AutostartFacts {
    std::optional<std::string> runValue;  // the Run value's text (UTF-8); nothing when absent
    std::vector<uint8_t> approvedBytes;   // the StartupApproved value; empty when absent
    std::string exePath;                  // the full path of the running .exe (UTF-8)
    bool onRemovableDrive = false;
};

struct AutostartChoice {
    // The Run value starts this very .exe.
    bool startsThisCopy = false;
    AutostartBlock block = AutostartBlock::None;

    bool operator==(const AutostartChoice&) const = default;
};

AutostartChoice DecideAutostart(const AutostartFacts& facts);

// The Run value that starts `exePath`: the path in double quotes.
std::string RunValueFor(std::string_view exePath);

// The program path of a Run command line: the quoted part, or (unquoted) the text up to the
// ".exe" that ends the path, without arguments or surrounding blanks.
std::string RunValueProgram(std::string_view runValue);

// Whether two Windows paths name the same file as far as their text tells: "/" and "\" alike,
// repeated separators, "." and ".." segments resolved, letters compared without case.
bool SamePath(std::string_view a, std::string_view b);

// The menu entry "开机时自动运行" in the current language, with the reason when it is greyed.
std::string AutostartMenuCaption(AutostartBlock block);

// The answer to "does this copy start with Windows?" in the current language: "是", or "否"
// with the reason when one keeps it from starting.
std::string AutostartAnswer(const AutostartChoice& choice);

}  // namespace quorrin
