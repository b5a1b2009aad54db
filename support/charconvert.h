// Conversions between the byte texts of scripts and wide texts. Wide texts are
// UTF-16 (std::u16string), the form Windows interfaces and plug-in texts use,
// so one wide type serves every conversion. The "ANSI" code page of the
// process is Windows-1252 on every platform, converted by our own table.
#pragma once

#include <string>
#include <string_view>

namespace vornstdstring {

// Windows-1252 to UTF-16: every byte gives one code unit. The five bytes that
// Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1
// control of the same number, as Windows does, so the round trip is lossless.
std::u16string ansi2wstring(std::string_view text);
// UTF-16 to Windows-1252; a character the code page lacks becomes "?" (one
// per character, also for a surrogate pair).
std::string wstring2ansi(std::u16string_view text);

// UTF-8 to UTF-16. Invalid input never fails: a byte that does not start a
// complete, shortest-form sequence of a Unicode scalar value (stray
// continuation bytes, truncated or overlong sequences, encoded surrogates,
// values above U+10FFFF) becomes U+FFFD and decoding goes on at the next byte.
std::u16string utf82wstring(std::string_view text);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string wstring2utf8(std::u16string_view text);

} // namespace vornstdstring
