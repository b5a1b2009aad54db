// Wildcard matching of a whole text against a pattern: "*" any run, "?" any
// byte, "#" a decimal digit, "[...]" a set of bytes and ranges, anything else
// itself. Matching backtracks only to the last "*", so it takes at most
// text length times pattern length steps and no recursion.
#pragma once

#include <string_view>

namespace vornstdstring {

bool like(std::string_view text, std::string_view pattern, bool ignorecase);

} // namespace vornstdstring
