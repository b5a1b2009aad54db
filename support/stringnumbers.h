// Numbers and durations written as text by the string library: decimal and
// hexadecimal whole numbers, doubles in their shortest form, byte buffers as
// hex or as a printable preview, and "h:mm:ss" style time texts. Hex digits
// are always upper-case; nothing here depends on the locale.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornstdstring {

// Decimal text of a whole number ("%ld").
std::string val2str(int64_t value);
// A text of the one byte c.
inline std::string char2str(char c) {
    return std::string(1, c);
}
// The six-decimal text of a double without trailing zeros or point (3.14
// gives "3.14", 2.0 gives "2", 1.0000001 gives "1"); "nan", "inf" and "-inf"
// for the special values, and "0" for values that round to -0.
std::string doubleval2str(double value);

// Upper-case hex, zero-padded on the left to digits when given ("07FE" for
// 0x7FE with 4), otherwise unpadded ("7FE"). A value needing more digits is
// never cut.
std::string val2hexstr(uint32_t value, unsigned digits = 0);
std::string hugeval2hexstr(uint64_t value, unsigned digits = 0);

// Every byte as two upper-case hex digits, separated by blanks ("0A 0B 0C").
std::string buf2hexstr(std::string_view bytes);
// A one-line printable preview of a buffer: at most maxlength bytes, printable
// ASCII as itself and every other byte as "."; "..." is appended when the
// buffer is longer than maxlength.
std::string buf2previewstr(std::string_view bytes, size_t maxlength);

// Durations. second2time: hours without leading zeros, then minutes and seconds
// of two digits ("2:42:49"); millisecond2time adds "." and three millisecond
// digits ("2:42:49.499"); millisecond2shorttime gives the total minutes,
// seconds and milliseconds ("162:49.499"). A negative duration is written as
// "-" and the text of its absolute value.
std::string second2time(int64_t seconds);
std::string millisecond2time(int64_t milliseconds);
std::string millisecond2shorttime(int64_t milliseconds);

// Reads a whole decimal number with an optional sign and nothing else;
// false (and result 0) for any other text or when it does not fit 64 bits.
bool parsewholenumber(std::string_view text, int64_t& result);

} // namespace vornstdstring
