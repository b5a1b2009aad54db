// Substrings and simple edits of the string library: left, right, mid, fill,
// padding, shortening, and replacing by plain text or byte sets. Every
// position and count is clipped to the text (a negative count is 0, a start
// beyond the end gives the empty text), so no call here can fail.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornstdstring {

std::string left(std::string_view text, int64_t count);
std::string right(std::string_view text, int64_t count);
// From pos to the end, or at most count bytes from pos.
std::string mid(std::string_view text, int64_t pos);
std::string mid(std::string_view text, int64_t pos, int64_t count);

// Overwrites count bytes from pos with filltext repeated and cut to count
// bytes; never grows the text ("abcdefghij", 3, 5, "XYZ" gives "abcXYZXYij").
// An empty filltext leaves the text unchanged.
std::string fill(std::string_view text, int64_t pos, int64_t count, std::string_view filltext);

// Pad with padchar to width bytes; a text of width or more stays unchanged.
std::string padleft(std::string_view text, size_t width, char padchar = ' ');
std::string padright(std::string_view text, size_t width, char padchar = ' ');

// Cut to at most maxlength bytes. shortcut keeps the start and ends in "...";
// shortmiddlecut keeps start and end around "..." (the end gets the larger
// half). When maxlength leaves no room for "..." the text is cut plainly.
std::string shortcut(std::string_view text, size_t maxlength);
std::string shortmiddlecut(std::string_view text, size_t maxlength);

// Every occurrence of from, left to right; inserted text is never rescanned.
// An empty from leaves the text unchanged.
std::string replaceall(std::string_view text, std::string_view from, std::string_view to);
// Every byte of text that belongs to characterset becomes replacement.
std::string replacecharacters(std::string_view text, std::string_view characterset,
                              std::string_view replacement);
// Every CR LF pair, every other CR and every other LF becomes newline; LF CR
// is two line ends.
std::string convertnewlines(std::string_view text, std::string_view newline);

} // namespace vornstdstring
