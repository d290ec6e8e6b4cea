// Small rules of the timekeeper's server that look at header and body values: whether a Host
// names this computer, which language a browser asks for, how long a text is.
#pragma once

#include "texts/texts.h"

#include <cstddef>
#include <string_view>

namespace quorrin {

// True when the Host header names this computer the way a link to it can: an IP literal (with
// or without a port), `localhost`, or the computer's own name (also as `<name>.local`). Any
// other name is refused, so that a page of a foreign site whose name was pointed at this
// address (DNS rebinding) cannot reach the server.
bool IsAllowedHost(std::string_view host, std::string_view computerName);

// Chinese or English after an Accept-Language header, the higher weight winning, the first
// of equal weights; English when neither is asked for.
Language PageLanguage(std::string_view acceptLanguage);

// Characters (code points) of valid UTF-8.
size_t Utf8Chars(std::string_view text);

// True for a Content-Type of application/json, with or without parameters.
bool IsJsonContentType(std::string_view contentType);

}  // namespace quorrin
