// Numbers and durations as text: decimal, hex, shortest doubles, byte
// buffers, time texts; reading whole numbers.
#include "support/stringnumbers.h"

#include "support/stringbasics.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>

namespace vornstdstring {

namespace {
constexpr char hexdigits[] = "0123456789ABCDEF";

std::string hextext(uint64_t value, unsigned digits) {
    char buffer[17];
    char* end = buffer + sizeof(buffer);
    char* start = end;
    do {
        *--start = hexdigits[value & 0xF];
        value >>= 4;
    } while (value != 0);
    std::string result;
    size_t length = static_cast<size_t>(end - start);
    if (digits > length) {
        result.assign(digits - length, '0');
    }
    result.append(start, end);
    return result;
}

// Magnitude of a signed duration, and the sign prefix it needs; safe for the
// most negative value.
uint64_t magnitude(int64_t value, std::string& sign) {
    if (value < 0) {
        sign = "-";
        return 0 - static_cast<uint64_t>(value);
    }
    return static_cast<uint64_t>(value);
}

// "h:mm:ss" of a number of seconds, optionally followed by ".mmm".
std::string clocktext(const std::string& sign, uint64_t seconds, int milliseconds = -1) {
    char buffer[48];
    int length = std::snprintf(buffer, sizeof(buffer), "%" PRIu64 ":%02u:%02u", seconds / 3600,
                               static_cast<unsigned>(seconds / 60 % 60),
                               static_cast<unsigned>(seconds % 60));
    if (milliseconds >= 0) {
        length += std::snprintf(buffer + length, sizeof(buffer) - static_cast<size_t>(length),
                                ".%03d", milliseconds);
    }
    return sign + std::string(buffer, static_cast<size_t>(length));
}
} // namespace

std::string val2str(int64_t value) {
    char buffer[24];
    auto [end, error] = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, end);
}

std::string doubleval2str(double value) {
    // The language shows doubles with six decimals; this is that text without
    // its trailing zeros (and without the point when nothing follows it).
    char buffer[400];
    int length = std::snprintf(buffer, sizeof(buffer), "%.6f", value);
    std::string text(buffer, length > 0 ? static_cast<size_t>(length) : 0);
    size_t point = text.find('.');
    if (point != std::string::npos) {
        size_t last = text.find_last_not_of('0');
        text.erase(last == point ? point : last + 1);
    }
    if (text == "-0") {
        text = "0";
    }
    return text;
}

std::string val2hexstr(uint32_t value, unsigned digits) {
    return hextext(value, digits);
}

std::string hugeval2hexstr(uint64_t value, unsigned digits) {
    return hextext(value, digits);
}

std::string buf2hexstr(std::string_view bytes) {
    std::string result;
    result.reserve(bytes.size() * 3);
    for (unsigned char byte : bytes) {
        if (!result.empty()) {
            result.push_back(' ');
        }
        result.push_back(hexdigits[byte >> 4]);
        result.push_back(hexdigits[byte & 0xF]);
    }
    return result;
}

std::string buf2previewstr(std::string_view bytes, size_t maxlength) {
    std::string result;
    std::string_view shown = bytes.substr(0, maxlength);
    result.reserve(shown.size() + 3);
    for (char c : shown) {
        result.push_back(isprintableascii(c) ? c : '.');
    }
    if (bytes.size() > maxlength) {
        result.append("...");
    }
    return result;
}

std::string second2time(int64_t seconds) {
    std::string sign;
    uint64_t total = magnitude(seconds, sign);
    return clocktext(sign, total);
}

std::string millisecond2time(int64_t milliseconds) {
    std::string sign;
    uint64_t total = magnitude(milliseconds, sign);
    return clocktext(sign, total / 1000, static_cast<int>(total % 1000));
}

std::string millisecond2shorttime(int64_t milliseconds) {
    std::string sign;
    uint64_t total = magnitude(milliseconds, sign);
    char buffer[40];
    int length = std::snprintf(buffer, sizeof(buffer), "%" PRIu64 ":%02u.%03u", total / 60000,
                               static_cast<unsigned>(total / 1000 % 60),
                               static_cast<unsigned>(total % 1000));
    return sign + std::string(buffer, static_cast<size_t>(length));
}

bool parsewholenumber(std::string_view text, int64_t& result) {
    result = 0;
    if (!isSignedWholeNumber(text)) {
        return false;
    }
    if (text[0] == '+') {
        text.remove_prefix(1);
    }
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return false;
    }
    result = value;
    return true;
}

} // namespace vornstdstring
