// One printf conversion written directly. The layout rules are glibc's: a
// sign (or "+") comes first, zeros from the precision of a whole number come
// next, and the width pads with spaces on the left (right with "-"), or with
// zeros after the sign when "0" is given to d, u, x, X or f (for whole numbers
// only without a precision); c and s always pad with spaces.
#include "sysfunctions/formatitem.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace vornscript {

namespace {

constexpr int defaultprecision = 6;
// Doubles that to_chars writes into a small buffer; others use snprintf.
constexpr double shortdoublelimit = 1e20;
constexpr int shortdoubleprecision = 40;

void appenddecimal(char*& out, int value) {
    char digits[12];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value > 0);
    while (count > 0) {
        *out++ = digits[--count];
    }
}

// The C format of one conversion: "%", flags, width, precision, letter.
void buildcformat(const FormatField& field, char conversion, char* out) {
    *out++ = '%';
    if (field.leftjustify) {
        *out++ = '-';
    }
    if (field.plussign) {
        *out++ = '+';
    }
    if (field.zeropad) {
        *out++ = '0';
    }
    if (field.width >= 0) {
        appenddecimal(out, field.width);
    }
    if (field.precision >= 0) {
        *out++ = '.';
        appenddecimal(out, field.precision);
    }
    *out++ = conversion;
    *out = '\0';
}

// The digits of [magnitude] in base 10 or 16, written backwards from [end];
// returns their first character.
char* writedigits(char* end, uint64_t magnitude, char conversion) {
    const char* digitset = conversion == 'X' ? "0123456789ABCDEF" : "0123456789abcdef";
    const unsigned base = (conversion == 'x' || conversion == 'X') ? 16 : 10;
    char* first = end;
    do {
        *--first = digitset[magnitude % base];
        magnitude /= base;
    } while (magnitude != 0);
    return first;
}

} // namespace

void VornFormatItemWriter::put(char c, size_t count) {
    const size_t room = capacity_ - 1 - length_;
    count = std::min(count, room);
    std::memset(buffer_ + length_, c, count);
    length_ += count;
}

void VornFormatItemWriter::put(std::string_view text) {
    const size_t room = capacity_ - 1 - length_;
    const size_t count = std::min(text.size(), room);
    // An empty view may have no data pointer at all, which memcpy must not see.
    if (count == 0) {
        return;
    }
    std::memcpy(buffer_ + length_, text.data(), count);
    length_ += count;
}

void VornFormatItemWriter::writepadded(const FormatField& field, std::string_view sign,
                                       size_t zeros, std::string_view digits) {
    const size_t body = sign.size() + zeros + digits.size();
    const size_t width = field.width > 0 ? static_cast<size_t>(field.width) : 0;
    const size_t padding = width > body ? width - body : 0;
    if (field.leftjustify) {
        put(sign);
        put('0', zeros);
        put(digits);
        put(' ', padding);
    } else if (field.zeropad) {
        put(sign);
        put('0', padding + zeros);
        put(digits);
    } else {
        put(' ', padding);
        put(sign);
        put('0', zeros);
        put(digits);
    }
}

void VornFormatItemWriter::writeinteger(const FormatField& field, char conversion, int64_t value) {
    FormatField layout = field;
    if (conversion == 'c') {
        const char character = static_cast<char>(static_cast<unsigned char>(value));
        layout.zeropad = false;
        writepadded(layout, {}, 0, std::string_view(&character, 1));
        return;
    }
    // d shows a 32-bit int, u, x and X a 32-bit unsigned: wider numbers keep
    // their low 32 bits.
    std::string_view sign;
    uint64_t magnitude = static_cast<uint32_t>(value);
    if (conversion == 'd') {
        const auto number = static_cast<int32_t>(value);
        magnitude = number < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(number))
                               : static_cast<uint64_t>(number);
        sign = number < 0 ? "-" : (field.plussign ? "+" : "");
    }
    char digits[24];
    char* end = digits + sizeof(digits);
    const char* first = writedigits(end, magnitude, conversion);
    std::string_view text(first, static_cast<size_t>(end - first));
    size_t zeros = 0;
    if (field.precision >= 0) {
        if (field.precision == 0 && magnitude == 0) {
            text = {};
        }
        const auto precision = static_cast<size_t>(field.precision);
        zeros = precision > text.size() ? precision - text.size() : 0;
        layout.zeropad = false;
    }
    writepadded(layout, sign, zeros, text);
}

void VornFormatItemWriter::writetext(const FormatField& field, std::string_view text) {
    // snprintf reads a C string: it ends at the first NUL.
    text = text.substr(0, text.find('\0'));
    if (field.precision >= 0) {
        text = text.substr(0, static_cast<size_t>(field.precision));
    }
    FormatField layout = field;
    layout.zeropad = false;
    writepadded(layout, {}, 0, text);
}

void VornFormatItemWriter::writedouble(const FormatField& field, double value) {
    const int precision = field.precision >= 0 ? field.precision : defaultprecision;
    if (!std::isfinite(value) || std::fabs(value) >= shortdoublelimit ||
        precision > shortdoubleprecision) {
        char cformat[48];
        buildcformat(field, 'f', cformat);
        const int written = std::snprintf(buffer_, capacity_, cformat, value);
        length_ = written < 0 ? 0 : std::min(static_cast<size_t>(written), capacity_ - 1);
        return;
    }
    char digits[64];
    const auto converted = std::to_chars(digits, digits + sizeof(digits), std::fabs(value),
                                         std::chars_format::fixed, precision);
    const std::string_view sign = std::signbit(value) ? "-" : (field.plussign ? "+" : "");
    writepadded(field, sign, 0,
                std::string_view(digits, static_cast<size_t>(converted.ptr - digits)));
}

std::string_view VornFormatItemWriter::item() const {
    const void* nul = std::memchr(buffer_, '\0', length_);
    return {buffer_, nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - buffer_)
                                    : length_};
}

} // namespace vornscript
