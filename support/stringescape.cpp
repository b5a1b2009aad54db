// Backslash escapes, C literal bodies, HTML entities and quoting.
#include "support/stringescape.h"

#include "support/stringbasics.h"

#include <array>

namespace vornstdstring {

namespace {
constexpr char hexdigits[] = "0123456789ABCDEF";

// Latin-1 letters that escapestring keeps: ä ö ü ß Ä Ö Ü.
constexpr std::string_view keptlatin1 = "\xE4\xF6\xFC\xDF\xC4\xD6\xDC";

// Control bytes written as a backslash and a letter, by escapestring and
// safestring alike (NUL only by escapestring: C would read digits after it).
struct LetterEscape {
    char byte;
    char letter;
};
constexpr std::array<LetterEscape, 4> letterescapes{
    {{'\0', '0'}, {'\t', 't'}, {'\r', 'r'}, {'\n', 'n'}}};

struct HtmlEntity {
    char byte;
    std::string_view entity;
};
constexpr std::array<HtmlEntity, 13> htmlentities{{
    {'&', "&amp;"},
    {'<', "&lt;"},
    {'>', "&gt;"},
    {'"', "&quot;"},
    {'\'', "&apos;"},
    {'\xE4', "&auml;"},
    {'\xF6', "&ouml;"},
    {'\xFC', "&uuml;"},
    {'\xC4', "&Auml;"},
    {'\xD6', "&Ouml;"},
    {'\xDC', "&Uuml;"},
    {'\xDF', "&szlig;"},
    {'\x7F', "&#127;"},
}};

int hexvalue(char c) {
    if (isdigitbyte(c)) {
        return c - '0';
    }
    char lower = tolowerbyte(c);
    return (lower >= 'a' && lower <= 'f') ? lower - 'a' + 10 : -1;
}

// The letter of a letter escape for byte c, or 0 when c has none.
char escapeletterfor(char c) {
    for (const LetterEscape& escape : letterescapes) {
        if (escape.byte == c) {
            return escape.letter;
        }
    }
    return 0;
}

// The byte that the letter escape with letter stands for.
bool escapebytefor(char letter, char& byte) {
    for (const LetterEscape& escape : letterescapes) {
        if (escape.letter == letter) {
            byte = escape.byte;
            return true;
        }
    }
    return false;
}

void appendhexescape(std::string& result, unsigned char byte) {
    result.append("\\x");
    result.push_back(hexdigits[byte >> 4]);
    result.push_back(hexdigits[byte & 0xF]);
}

// Reads the numeric entity at text (which starts with "&#"); on success stores
// its byte and the entity's length, else leaves both as they are.
bool readnumericentity(std::string_view text, char& byte, size_t& length) {
    bool hex = text.size() > 2 && (text[2] == 'x' || text[2] == 'X');
    size_t position = hex ? 3 : 2;
    unsigned value = 0;
    size_t digits = 0;
    for (; position < text.size() && text[position] != ';'; ++position, ++digits) {
        int digit = hex ? hexvalue(text[position])
                        : (isdigitbyte(text[position]) ? text[position] - '0' : -1);
        if (digit < 0 || digits >= 8) {
            return false;
        }
        value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    }
    if (digits == 0 || position >= text.size() || value > 255) {
        return false;
    }
    byte = static_cast<char>(value);
    length = position + 1;
    return true;
}
} // namespace

std::string escapestring(std::string_view text, std::string_view extra) {
    std::string result;
    appendescapedstring(result, text, extra);
    return result;
}

void appendescapedstring(std::string& result, std::string_view text, std::string_view extra) {
    result.reserve(result.size() + text.size());
    for (char c : text) {
        if (char letter = escapeletterfor(c); letter != 0) {
            result.push_back('\\');
            result.push_back(letter);
        } else if (c == '\\' || c == '\'' || c == '"') {
            result.push_back('\\');
            result.push_back(c);
        } else if (extra.find(c) != std::string_view::npos ||
                   !(isprintableascii(c) || keptlatin1.find(c) != std::string_view::npos)) {
            appendhexescape(result, static_cast<unsigned char>(c));
        } else {
            result.push_back(c);
        }
    }
}

std::string unescapestring(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result.push_back(text[i]);
            continue;
        }
        char next = text[i + 1];
        if (next == '\\' || next == '\'' || next == '"') {
            result.push_back(next);
            ++i;
        } else if (next == 'x' && i + 3 < text.size() && hexvalue(text[i + 2]) >= 0 &&
                   hexvalue(text[i + 3]) >= 0) {
            result.push_back(static_cast<char>(hexvalue(text[i + 2]) * 16 + hexvalue(text[i + 3])));
            i += 3;
        } else if (char byte = 0; escapebytefor(next, byte)) {
            result.push_back(byte);
            ++i;
        } else {
            result.push_back('\\');
        }
    }
    return result;
}

std::string safestring(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (char letter = escapeletterfor(c); letter != 0 && c != '\0') {
            result.push_back('\\');
            result.push_back(letter);
        } else if (c == '\\' || c == '"') {
            result.push_back('\\');
            result.push_back(c);
        } else if (isprintableascii(c)) {
            result.push_back(c);
        } else {
            result.push_back('\\');
            result.push_back(static_cast<char>('0' + (byte >> 6)));
            result.push_back(static_cast<char>('0' + ((byte >> 3) & 7)));
            result.push_back(static_cast<char>('0' + (byte & 7)));
        }
    }
    return result;
}

std::string safecstr(const char* text) {
    return text == nullptr ? std::string() : safestring(text);
}

std::string escapehtmlentities(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        const HtmlEntity* found = nullptr;
        for (const HtmlEntity& entity : htmlentities) {
            if (entity.byte == c) {
                found = &entity;
                break;
            }
        }
        if (found != nullptr) {
            result.append(found->entity);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

std::string unescapehtmlentities(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        std::string_view rest = text.substr(i);
        size_t length = 0;
        char byte = rest[0];
        if (byte == '&') {
            for (const HtmlEntity& entity : htmlentities) {
                if (rest.starts_with(entity.entity)) {
                    byte = entity.byte;
                    length = entity.entity.size();
                    break;
                }
            }
            if (length == 0 && rest.starts_with("&#")) {
                readnumericentity(rest, byte, length);
            }
        }
        result.push_back(byte);
        i += length == 0 ? 1 : length;
    }
    return result;
}

std::string quotestring(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result.push_back('\'');
    for (char c : text) {
        if (c == '\\' || c == '\'' || c == '"') {
            result.push_back('\\');
        }
        result.push_back(c);
    }
    result.push_back('\'');
    return result;
}

std::string unquotestring(std::string_view text) {
    if (text.size() >= 2 && (text[0] == '\'' || text[0] == '"') && text.back() == text[0]) {
        return unescapestring(text.substr(1, text.size() - 2));
    }
    return std::string(text);
}

} // namespace vornstdstring
