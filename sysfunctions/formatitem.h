// One printf conversion (d, u, x, X, c, s, f with flags "-+0", width and
// precision) written without the C library's format interpreter, byte for
// byte as glibc's snprintf writes it. sprintf formats hundreds of thousands of
// items in a loop and snprintf spends most of its time re-reading the format;
// here the parsed field is applied directly. Doubles use std::to_chars, which
// rounds exactly like printf; values it cannot show briefly (infinities, NaN,
// very long outputs) still go through snprintf.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vornscript {

// Flags, width and precision of one conversion, as C reads them; -1 means
// not given.
struct FormatField {
    bool leftjustify = false;
    bool plussign = false;
    bool zeropad = false;
    int width = -1;
    int precision = -1;
};

// Fills a buffer of [capacity] bytes with at most capacity - 1 bytes of item
// text and a final NUL, as snprintf does; the rest of the item is dropped.
class VornFormatItemWriter {
public:
    VornFormatItemWriter(char* buffer, size_t capacity) : buffer_(buffer), capacity_(capacity) {}

    // %d of [value], %u / %x / %X of [value] read as unsigned 32 bits, %c of
    // the byte [value].
    void writeinteger(const FormatField& field, char conversion, int64_t value);
    void writetext(const FormatField& field, std::string_view text);
    void writedouble(const FormatField& field, double value);

    // The item up to its first NUL ("%c" of 0 ends it, as strlen would).
    std::string_view item() const;

private:
    void put(char c, size_t count);
    void put(std::string_view text);
    // Sign or prefix, zero padding, digits, within the field width.
    void writepadded(const FormatField& field, std::string_view sign, size_t zeros,
                     std::string_view digits);

    char* buffer_;
    size_t capacity_;
    size_t length_ = 0;
};

} // namespace vornscript
