// The user's preferred UI languages, as the language choice takes them.
#pragma once

#include <string>
#include <vector>

namespace quorrin {

// Tags such as "zh-CN" or "en-US", most preferred first; empty when the system tells none.
// Under Wine they follow the LANG the program was started with.
std::vector<std::string> PreferredUiLanguages();

}  // namespace quorrin
