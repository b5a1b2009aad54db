// Basic byte-string helpers of the string library: comparison, search,
// classification, trimming and substrings. Texts are 8-bit byte strings with
// no encoding assumed; positions are 0-based byte offsets, -1 means not found.
#pragma once

#include <string>
#include <string_view>

namespace vornstdstring {

// Lower-case of one byte, ASCII letters only (other bytes unchanged).
inline char tolowerbyte(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool isequalnocase(std::string_view a, std::string_view b);
// Position of subtext in text at or after start, ignoring ASCII case; -1 when absent.
long indexnocase(std::string_view text, std::string_view subtext, size_t start = 0);

// Remove blanks, tabs, CR and LF at the named ends.
std::string trim(std::string_view text);
std::string trimleft(std::string_view text);
std::string trimright(std::string_view text);

} // namespace vornstdstring
