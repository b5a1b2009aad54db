// Basic byte-string helpers of the string library: comparison, search,
// classification and trimming. Texts are 8-bit byte strings with no encoding
// assumed and only ASCII letters have a case; positions are 0-based byte
// offsets, -1 means not found.
#pragma once

#include <string>
#include <string_view>

namespace vornstdstring {

// Lower-case of one byte, ASCII letters only (other bytes unchanged).
inline char tolowerbyte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}
inline bool isdigitbyte(char c) {
    return c >= '0' && c <= '9';
}
inline bool isletterbyte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
inline bool ishexdigitbyte(char c) {
    return isdigitbyte(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
// Blank through tilde: the bytes that print as themselves on any terminal.
inline bool isprintableascii(char c) {
    return c >= ' ' && c <= '~';
}

// Comparison and search. An empty subtext is contained everywhere.
inline bool isequal(std::string_view a, std::string_view b) {
    return a == b;
}
bool isequalnocase(std::string_view a, std::string_view b);
inline bool contains(std::string_view text, std::string_view subtext) {
    return text.find(subtext) != std::string_view::npos;
}
bool containsnocase(std::string_view text, std::string_view subtext);
// Position of subtext in text at or after start, ignoring ASCII case; -1 when absent.
long indexnocase(std::string_view text, std::string_view subtext, size_t start = 0);
inline bool startswith(std::string_view text, std::string_view prefix) {
    return text.starts_with(prefix);
}
inline bool endswith(std::string_view text, std::string_view suffix) {
    return text.ends_with(suffix);
}

// Classification. A number text is one or more decimal digits, optionally
// followed by "." and one or more digits ("13", "13.76"; not "13.", ".5",
// "1e5"); isSignedNumber also allows one leading "+" or "-". The empty text
// is none of these.
bool isNumber(std::string_view text);
bool isSignedNumber(std::string_view text);
// An optional sign and digits only, no fraction.
bool isSignedWholeNumber(std::string_view text);
// One or more hexadecimal digits, nothing else (no sign, no "0x").
bool isHexNumber(std::string_view text);
// A letter or "_" followed by letters, digits and "_".
bool isIdentifier(std::string_view text);

// Remove blanks, tabs, CR and LF at the named ends.
std::string trim(std::string_view text);
std::string trimleft(std::string_view text);
std::string trimright(std::string_view text);
// Removes one trailing line end: CR LF, LF or CR.
std::string chomp(std::string_view text);
// Cuts the text at the last occurrence of subtext ("filename.mid" at "." gives
// "filename"); unchanged when subtext is empty or absent.
std::string removelastmatchtillend(std::string_view text, std::string_view subtext);

} // namespace vornstdstring
