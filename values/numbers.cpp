// Reading number texts, their canonical form and the fixed number texts.
#include "values/numbers.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace vornscript {

namespace {

bool isblank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isdigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimblanks(std::string_view text) {
    while (!text.empty() && isblank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isblank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The shape of a number text: [sign] digits [. digits] [e [sign] digits],
// with at least one mantissa digit and nothing else.
struct NumberShape {
    bool valid = false;
    bool hasdot = false;
    bool hasexponent = false;
    bool negativeexponent = false;
};

NumberShape scannumber(std::string_view text) {
    NumberShape shape;
    size_t pos = 0;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
    size_t digits = 0;
    while (pos < text.size() && isdigit(text[pos])) {
        ++pos;
        ++digits;
    }
    if (pos < text.size() && text[pos] == '.') {
        shape.hasdot = true;
        ++pos;
        while (pos < text.size() && isdigit(text[pos])) {
            ++pos;
            ++digits;
        }
    }
    if (digits == 0) {
        return shape;
    }
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        shape.hasexponent = true;
        ++pos;
        if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
            shape.negativeexponent = text[pos] == '-';
            ++pos;
        }
        size_t exponentdigits = 0;
        while (pos < text.size() && isdigit(text[pos])) {
            ++pos;
            ++exponentdigits;
        }
        if (exponentdigits == 0) {
            return shape;
        }
    }
    shape.valid = pos == text.size();
    return shape;
}

// from_chars takes no leading "+".
std::string_view withoutplus(std::string_view text) {
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    return text;
}

bool parsedouble(std::string_view text, double& value) {
    text = withoutplus(text);
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size();
}

bool parselong(std::string_view text, int64_t& value) {
    text = withoutplus(text);
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    return status == std::errc() && end == text.data() + text.size();
}

// The value of a decimal text without exponent ([sign] digits . digits) of at
// most 15 digits, by one division of two exactly representable doubles: that
// division rounds correctly, so the result equals from_chars's at a fraction
// of its cost (literals such as "0.001" are read on every evaluation).
bool parseshortdecimal(std::string_view text, double& value) {
    static constexpr double powersoften[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    constexpr size_t maximumdigits = 15; // below 2^53: every mantissa is exact
    size_t pos = 0;
    const bool negative = !text.empty() && text.front() == '-';
    if (negative || (!text.empty() && text.front() == '+')) {
        pos = 1;
    }
    uint64_t mantissa = 0;
    size_t digits = 0;
    size_t fractiondigits = 0;
    bool infraction = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c == '.') {
            infraction = true;
            continue;
        }
        if (++digits > maximumdigits) {
            return false;
        }
        mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
        fractiondigits += infraction ? 1 : 0;
    }
    value = static_cast<double>(mantissa) / powersoften[fractiondigits];
    if (negative) {
        value = -value;
    }
    return true;
}

VornNumberReading makeinteger(int64_t value) {
    return VornNumberReading{VornNumberKind::integer, value, static_cast<double>(value)};
}

// Whether the canonical form of a text with "." or exponent is a whole number.
bool canonicaliswhole(std::string_view text, const NumberShape& shape, double value,
                      int64_t& whole) {
    if (!doubleiswhole(value, whole)) {
        return false;
    }
    if (shape.hasexponent) {
        // A whole exponent form without "e-" becomes its integer; with "e-"
        // only the ".0" rule can make it whole ("10.0e-1").
        return !shape.negativeexponent || text.find(".0") != std::string_view::npos;
    }
    // "3." loses its dot; "20.00" contains ".0".
    return text.back() == '.' || text.find(".0") != std::string_view::npos;
}

} // namespace

VornNumberReading readnumbertext(std::string_view text) {
    text = trimblanks(text);
    const NumberShape shape = scannumber(text);
    if (!shape.valid) {
        return {};
    }
    if (!shape.hasdot && !shape.hasexponent) {
        int64_t value = 0;
        if (parselong(text, value)) {
            return makeinteger(value);
        }
        // Too many digits for 64 bits: only a floating reading is left.
        double approximate = 0.0;
        if (!parsedouble(text, approximate)) {
            return {};
        }
        return VornNumberReading{VornNumberKind::floating, 0, approximate};
    }
    double value = 0.0;
    const bool shortdecimal = !shape.hasexponent && parseshortdecimal(text, value);
    if (!shortdecimal && !parsedouble(text, value)) {
        return {};
    }
    int64_t whole = 0;
    if (canonicaliswhole(text, shape, value, whole)) {
        return VornNumberReading{VornNumberKind::integer, whole, value};
    }
    const VornNumberKind kind = shape.hasdot ? VornNumberKind::decimal : VornNumberKind::floating;
    return VornNumberReading{kind, 0, value};
}

std::string canonicalnumbertext(std::string_view text) {
    return canonicalnumbertext(text, readnumbertext(text));
}

std::string canonicalnumbertext(std::string_view text, const VornNumberReading& reading) {
    if (reading.kind == VornNumberKind::none) {
        return std::string(text);
    }
    std::string result(trimblanks(text));
    while (result.size() > 1 && result[0] == '0' && isdigit(result[1])) {
        result.erase(0, 1);
    }
    if (reading.kind == VornNumberKind::integer) {
        // Exponent forms, "3." and "20.00" all end as the decimal text of the
        // whole number; a plain integer text keeps its sign and digits.
        if (result.find_first_of(".eE") != std::string::npos) {
            return longtext(reading.longvalue);
        }
        return result;
    }
    const bool hasexponent = result.find_first_of("eE") != std::string::npos;
    if (!hasexponent && result.find('.') != std::string::npos) {
        const size_t lastdigit = result.find_last_not_of('0');
        // Keep one digit after the ".".
        result.erase(result[lastdigit] == '.' ? lastdigit + 2 : lastdigit + 1);
    }
    return result;
}

bool isplaindecimaltext(std::string_view text) {
    size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') {
        ++pos;
    }
    const size_t integerstart = pos;
    while (pos < text.size() && isdigit(text[pos])) {
        ++pos;
    }
    if (pos == integerstart) {
        return false;
    }
    if (pos < text.size() && text[pos] == '.') {
        const size_t fractionstart = ++pos;
        while (pos < text.size() && isdigit(text[pos])) {
            ++pos;
        }
        if (pos == fractionstart) {
            return false;
        }
    }
    return pos == text.size();
}

namespace {

struct BoolWord {
    std::string_view word;
    bool value;
};
constexpr BoolWord boolwords[] = {
    {"TRUE", true}, {"JA", true}, {"YES", true}, {"FALSE", false}, {"NEIN", false}, {"NO", false},
};
constexpr size_t maximumboolword = 19;

bool isequalnocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 32);
        }
        if (c != b[i]) {
            return false;
        }
    }
    return true;
}

bool isspaceortab(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool readbooltext(std::string_view text, bool& value) {
    size_t pos = 0;
    while (pos < text.size() && isspaceortab(text[pos])) {
        ++pos;
    }
    const size_t start = pos;
    while (pos < text.size() && !isspaceortab(text[pos])) {
        ++pos;
    }
    const std::string_view word = text.substr(start, pos - start);
    for (; pos < text.size(); ++pos) {
        if (!isspaceortab(text[pos])) {
            return false;
        }
    }
    if (word.empty() || word.size() > maximumboolword) {
        return false;
    }
    if (word == "0" || word == "1") {
        value = word == "1";
        return true;
    }
    for (const BoolWord& entry : boolwords) {
        if (isequalnocase(word, entry.word)) {
            value = entry.value;
            return true;
        }
    }
    const VornNumberReading reading = readnumbertext(word);
    if (reading.kind != VornNumberKind::integer) {
        return false;
    }
    value = reading.longvalue != 0;
    return true;
}

void appendlongtext(std::string& out, int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appenddoubletext(std::string& out, double value) {
    // Fixed notation of the largest double has 309 digits before the point.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    out.append(buffer, result.ptr);
}

std::string longtext(int64_t value) {
    std::string text;
    appendlongtext(text, value);
    return text;
}

std::string doubletext(double value) {
    std::string text;
    appenddoubletext(text, value);
    return text;
}

namespace {

// Snaps a magnitude whose product with 1e6 lies within rounding error of a
// tie between two millionths. The exact product is the rounded product plus
// the residual fma yields; its side of the tie picks the neighbour, and an
// exact tie goes to the even one, as the six-decimal text rounds.
double snapneartie(double magnitude) {
    const double scaled = magnitude * 1e6;
    const double residual = std::fma(magnitude, 1e6, -scaled);
    const double below = std::floor(scaled);
    // Both subtractions are exact: scaled lies within one of below, and the
    // fraction lies near 0.5.
    const double excess = (scaled - below - 0.5) + residual;
    const bool up = excess > 0 || (excess == 0 && std::fmod(below, 2.0) != 0);
    return (up ? below + 1 : below) / 1e6;
}

} // namespace

double snapdouble(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double magnitude = std::fabs(value);
    // From 2^33 on, a double's spacing exceeds the text's rounding step, so
    // the text reads back as the same double.
    if (magnitude >= 8589934592.0) {
        return value;
    }
    if (magnitude < 4294967296.0) {
        // Round in millionths; the product is off by at most half an ulp, so
        // only a product that close to a rounding tie needs the exact path.
        const double scaled = value * 1e6;
        // nearbyint without a library call: |scaled| < 2^52, so adding 2^52
        // of its sign gives a sum whose spacing is 1, rounded to the nearest
        // whole number (ties to even) in the default rounding mode; taking
        // it away again is exact. A zero keeps the sign of scaled.
        const double shift = std::copysign(0x1p52, scaled);
        const double rounded = std::copysign((scaled + shift) - shift, scaled);
        // Half minus the distance to the nearest whole number is how far the
        // product lies from a tie (both subtractions are exact).
        const double tolerance = std::fabs(scaled) * 0x1p-51 + 1e-9;
        if (0.5 - std::fabs(scaled - rounded) > tolerance) {
            return rounded / 1e6;
        }
        return std::copysign(snapneartie(magnitude), value);
    }
    std::string text;
    appenddoubletext(text, value);
    double snapped = value;
    parsedouble(text, snapped);
    return snapped;
}

} // namespace vornscript
