// Numbers as texts: reading a text as a whole or floating number, the
// canonical number form, the six-decimal double text and the boolean words.
// Pure functions without state; the value layer caches their results. A text
// is read as the number its canonical form denotes, so "20.00" and "1e3" read
// as whole numbers, "0.5" as a floating number and "1e-3" only as a floating
// value (it has no "." and keeps its exponent form).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornscript {

enum class VornNumberKind : uint8_t {
    none,     // not a number
    integer,  // canonical form is a whole number: "3", " 0003 ", "20.00", "1e3"
    decimal,  // a floating number with ".": "0.5", "13.3330000"
    floating, // a floating number without "." ("1e-3"): readable, but no number type
};

struct VornNumberReading {
    VornNumberKind kind = VornNumberKind::none;
    int64_t longvalue = 0;    // the value for integer
    double doublevalue = 0.0; // the value for every kind but none
};

// Reads the text (surrounding blanks dropped) as its canonical number form.
VornNumberReading readnumbertext(std::string_view text);

// The canonical number form of a text that reads as a number (see
// readnumbertext); any other text comes back unchanged.
std::string canonicalnumbertext(std::string_view text);
// The same for a text whose reading the caller already has.
std::string canonicalnumbertext(std::string_view text, const VornNumberReading& reading);

// True for an optional "-", at least one digit, optionally "." and at least
// one digit, nothing else: such texts are written bare inside collections.
bool isplaindecimaltext(std::string_view text);

// Boolean reading of a text: one word; "0"/"1", TRUE/JA/YES, FALSE/NEIN/NO
// (any case) or a whole number, non-zero meaning true.
bool readbooltext(std::string_view text, bool& value);

// Decimal text of a whole number and fixed six-decimal text of a double.
void appendlongtext(std::string& out, int64_t value);
void appenddoubletext(std::string& out, double value);
std::string longtext(int64_t value);
std::string doubletext(double value);

// The value that the six-decimal text of value reads back as. A computed
// double is stored snapped, so keeping it natively gives exactly the results
// of keeping its text.
double snapdouble(double value);

// A double known to be snapped already (a snapdouble result), so storing it
// skips snapping it a second time.
struct VornSnappedDouble {
    double value;
};

// True when value equals its own truncation to a 64-bit integer (the number
// maker's test); the integer is returned in result.
inline bool doubleiswhole(double value, int64_t& result) {
    // The range check also rejects NaN.
    if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) {
        return false;
    }
    result = static_cast<int64_t>(value);
    return static_cast<double>(result) == value;
}

} // namespace vornscript
