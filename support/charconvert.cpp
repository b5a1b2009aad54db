// Windows-1252, UTF-8 and UTF-16 conversions, written by hand so that the
// results do not depend on the locale of the process.
#include "support/charconvert.h"

#include <array>
#include <cstdint>

namespace vornstdstring {

namespace {
constexpr char16_t replacementcharacter = 0xFFFD;

// Unicode of the Windows-1252 bytes 0x80 to 0x9F; the other bytes are Latin-1
// and equal their code point. Unassigned bytes keep their own number.
constexpr std::array<char16_t, 32> windows1252block{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool ishighsurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool islowsurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

char ansibytefor(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) {
        return static_cast<char>(unit);
    }
    for (size_t i = 0; i < windows1252block.size(); ++i) {
        if (windows1252block[i] == unit) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

// Decodes the UTF-8 sequence at the start of text into codepoint; returns its
// length, or 0 when the bytes there are no valid sequence.
size_t decodeutf8(std::string_view text, char32_t& codepoint) {
    auto lead = static_cast<unsigned char>(text[0]);
    size_t length;
    char32_t minimum;
    if (lead < 0x80) {
        codepoint = lead;
        return 1;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, codepoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, codepoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, codepoint = lead & 0x07;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    for (size_t i = 1; i < length; ++i) {
        auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {
            return 0;
        }
        codepoint = (codepoint << 6) | (byte & 0x3F);
    }
    bool valid = codepoint >= minimum && codepoint <= 0x10FFFF && !ishighsurrogate(codepoint) &&
                 !islowsurrogate(codepoint);
    return valid ? length : 0;
}

void appendutf8(std::string& result, char32_t codepoint) {
    if (codepoint < 0x80) {
        result.push_back(static_cast<char>(codepoint));
        return;
    }
    size_t length = codepoint < 0x800 ? 2 : codepoint < 0x10000 ? 3 : 4;
    static constexpr unsigned char leadmarks[] = {0, 0, 0xC0, 0xE0, 0xF0};
    char bytes[4];
    for (size_t i = length - 1; i > 0; --i) {
        bytes[i] = static_cast<char>(0x80 | (codepoint & 0x3F));
        codepoint >>= 6;
    }
    bytes[0] = static_cast<char>(leadmarks[length] | codepoint);
    result.append(bytes, length);
}
} // namespace

std::u16string ansi2wstring(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    for (unsigned char byte : text) {
        bool inblock = byte >= 0x80 && byte <= 0x9F;
        result.push_back(inblock ? windows1252block[byte - 0x80] : char16_t{byte});
    }
    return result;
}

std::string wstring2ansi(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (ishighsurrogate(text[i]) && i + 1 < text.size() && islowsurrogate(text[i + 1])) {
            ++i;
            result.push_back('?');
        } else {
            result.push_back(ansibytefor(text[i]));
        }
    }
    return result;
}

std::u16string utf82wstring(std::string_view text) {
    std::u16string result;
    result.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        char32_t codepoint = 0;
        size_t length = decodeutf8(text.substr(position), codepoint);
        if (length == 0) {
            result.push_back(replacementcharacter);
            ++position;
        } else if (codepoint >= 0x10000) {
            codepoint -= 0x10000;
            result.push_back(static_cast<char16_t>(0xD800 + (codepoint >> 10)));
            result.push_back(static_cast<char16_t>(0xDC00 + (codepoint & 0x3FF)));
            position += length;
        } else {
            result.push_back(static_cast<char16_t>(codepoint));
            position += length;
        }
    }
    return result;
}

std::string wstring2utf8(std::u16string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = text[i];
        if (ishighsurrogate(unit) && i + 1 < text.size() && islowsurrogate(text[i + 1])) {
            appendutf8(result, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (ishighsurrogate(unit) || islowsurrogate(unit)) {
            appendutf8(result, replacementcharacter);
        } else {
            appendutf8(result, unit);
        }
    }
    return result;
}

} // namespace vornstdstring
