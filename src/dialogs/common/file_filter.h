// The open-file dialog's filter of one kind of file, as PickOpenFile takes it: the
// description the user reads, then the patterns that decide, each followed by a NUL.
#pragma once

#include <string>
#include <string_view>

namespace quorrin {

inline std::string FileFilter(std::string_view description, std::string_view patterns) {
    std::string filter(description);
    filter += '\0';
    filter += patterns;
    filter += '\0';
    return filter;
}

}  // namespace quorrin
