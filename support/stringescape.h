// Escaping and quoting of byte texts: backslash escapes as scripts write them,
// C string-literal bodies, HTML entities, and quoted texts. Every escape here
// is reversible by its partner function, and the reverse functions accept any
// input: a sequence they do not know is kept as it stands.
#pragma once

#include <string>
#include <string_view>

namespace vornstdstring {

// NUL, tab, CR and LF become \0, \t, \r and \n; backslash, single and double
// quote get a backslash before them. A byte of extra, or a byte that is
// neither printable ASCII nor one of the Latin-1 letters "äöüßÄÖÜ", becomes
// \x and two upper-case hex digits.
std::string escapestring(std::string_view text, std::string_view extra = {});
// The same appended to [out].
void appendescapedstring(std::string& out, std::string_view text, std::string_view extra = {});
// Reverses escapestring and reads \x with two hex digits of either case for
// any byte. An unknown escape, a \x without two hex digits and a final lone
// backslash stay as they are.
std::string unescapestring(std::string_view text);

// The body of a C string literal that yields text: backslash and double quote
// escaped, tab, CR and LF as \t, \r, \n, every other byte below blank, 127 and
// bytes >= 0x80 as three octal digits (\000, \303). Octal is used because a C
// hex escape would swallow hex digits that follow it.
std::string safestring(std::string_view text);
// The same for a NUL-terminated C text; a null pointer gives the empty text.
std::string safecstr(const char* text);

// & < > " ' as &amp; &lt; &gt; &quot; &apos;, the Latin-1 letters ä ö ü Ä Ö Ü ß
// as &auml; &ouml; &uuml; &Auml; &Ouml; &Uuml; &szlig;, and byte 127 as &#127;.
std::string escapehtmlentities(std::string_view text);
// Reverses those names and reads &#ddd; and &#xhh; for codes up to 255; an
// ampersand that starts nothing known stays.
std::string unescapehtmlentities(std::string_view text);

// The text in single quotes, with backslashes and both quote characters
// escaped as by escapestring; other bytes stay as they are.
std::string quotestring(std::string_view text);
// Strips a pair of enclosing single or double quotes (the same character at
// both ends) and unescapes the inside; any other text is returned unchanged.
std::string unquotestring(std::string_view text);

} // namespace vornstdstring
