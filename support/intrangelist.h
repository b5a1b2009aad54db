// Number-range lists such as "1,2 3;5-7 9": items separated by commas,
// semicolons or blanks, each a whole number or a range "a-b" (counting down
// when b < a). The list is expanded into the numbers in written order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornstdstring {

// A list may expand to at most this many numbers; a longer one is refused
// rather than exhausting memory.
inline constexpr size_t maxintrangelistsize = size_t{1} << 24;

// Fills [numbers]; on a syntax error returns false with
// "parseintrangelist invalid range list syntax" in [errortext].
bool parseintrangelist(std::string_view text, std::vector<std::int64_t>& numbers,
                       std::string& errortext);

} // namespace vornstdstring
