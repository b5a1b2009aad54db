// SendKeys parsing (see win32sendkeys.h). The character table follows the US
// layout that the virtual-key codes were defined for, so "A" is Shift+'A'
// and "!" is Shift+'1' whatever keyboard the display has.
#include "extensions/win32sendkeys.h"

#include "support/phrasetranslator.h"

#include <cctype>
#include <cstring>

namespace vornscript {

namespace {

constexpr int32_t shiftstate = 0x100;
constexpr int32_t ctrlstate = 0x200;
constexpr int32_t altstate = 0x400;

struct KeyName {
    const char* name;
    uint8_t code;
};

constexpr KeyName keynames[] = {
    {"ENTER", 0x0D},     {"RETURN", 0x0D},   {"SPACE", 0x20},    {"ESC", 0x1B},
    {"F1", 0x70},        {"F2", 0x71},       {"F3", 0x72},       {"F4", 0x73},
    {"F5", 0x74},        {"F6", 0x75},       {"F7", 0x76},       {"F8", 0x77},
    {"F9", 0x78},        {"F10", 0x79},      {"F11", 0x7A},      {"F12", 0x7B},
    {"NUMPAD0", 0x60},   {"NUMPAD1", 0x61},  {"NUMPAD2", 0x62},  {"NUMPAD3", 0x63},
    {"NUMPAD4", 0x64},   {"NUMPAD5", 0x65},  {"NUMPAD6", 0x66},  {"NUMPAD7", 0x67},
    {"NUMPAD8", 0x68},   {"NUMPAD9", 0x69},  {"MULTIPLY", 0x6A}, {"ADD", 0x6B},
    {"SEPARATOR", 0x6C}, {"SUBTRACT", 0x6D}, {"DECIMAL", 0x6E},  {"DIVIDE", 0x6F},
    {"CLEAR", 0x0C},     {"SHIFT", 0x10},    {"CONTROL", 0x11},  {"CTRL", 0x11},
    {"MENU", 0x12},      {"PAUSE", 0x13},    {"CAPITAL", 0x14},  {"PRIOR", 0x21},
    {"NEXT", 0x22},      {"END", 0x23},      {"HOME", 0x24},     {"LEFT", 0x25},
    {"UP", 0x26},        {"RIGHT", 0x27},    {"DOWN", 0x28},     {"SELECT", 0x29},
    {"PRINT", 0x2A},     {"EXECUTE", 0x2B},  {"SNAPSHOT", 0x2C}, {"INSERT", 0x2D},
    {"INS", 0x2D},       {"DELETE", 0x2E},   {"DEL", 0x2E},      {"HELP", 0x2F},
};

// Punctuation of the US layout: the unshifted and the shifted character of
// each key.
struct PunctuationKey {
    char plain;
    char shifted;
    uint8_t code;
};

constexpr PunctuationKey punctuationkeys[] = {
    {';', ':', 0xBA},  {'=', '+', 0xBB}, {',', '<', 0xBC},  {'-', '_', 0xBD},
    {'.', '>', 0xBE},  {'/', '?', 0xBF}, {'`', '~', 0xC0},  {'[', '{', 0xDB},
    {'\\', '|', 0xDC}, {']', '}', 0xDD}, {'\'', '"', 0xDE},
};

// The shifted characters of the digit keys 0 to 9.
constexpr const char* shifteddigits = ")!@#$%^&*(";

std::string sendkeysmessage(const char* phrase, const std::string& detail) {
    return translate(phrase, "win32") + ": " + detail;
}

bool isalnumchar(char character) {
    return std::isalnum(static_cast<unsigned char>(character)) != 0;
}

// The key of one token of a group: a key name, or a single letter or digit.
uint8_t tokenkey(const std::string& token) {
    if (const uint8_t code = keynamecode(token)) {
        return code;
    }
    if (token.size() == 1) {
        return static_cast<uint8_t>(vkkeyscan(token[0]) & 0xFF);
    }
    return 0;
}

// Reads the group that starts after "{" at [position]; moves past its "}".
// Tokens are runs of letters and digits; "+-:=" separate them, and so does
// any other character (a blank, say), which carries no meaning of its own.
bool parsegroup(const std::string& keys, size_t& position, Win32KeyEvent& event,
                std::string& error) {
    const size_t end = keys.find('}', position);
    if (end == std::string::npos) {
        error = sendkeysmessage("key group without closing brace", keys.substr(position - 1));
        return false;
    }
    const std::string group = keys.substr(position, end - position);
    position = end + 1;
    bool pausenext = false;
    for (size_t index = 0; index < group.size();) {
        if (!isalnumchar(group[index])) {
            ++index;
            continue;
        }
        std::string token;
        for (; index < group.size() && isalnumchar(group[index]); ++index) {
            token += static_cast<char>(std::toupper(static_cast<unsigned char>(group[index])));
        }
        if (pausenext) {
            pausenext = false;
            if (token.find_first_not_of("0123456789") != std::string::npos || token.size() > 9) {
                error = sendkeysmessage("DELAY requires milliseconds", group);
                return false;
            }
            event.pausemilliseconds = std::stoll(token);
        } else if (token == "ALT") {
            event.alt = true;
        } else if (token == "CTRL" || token == "STRG") {
            event.ctrl = true;
        } else if (token == "SHIFT") {
            event.shift = true;
        } else if (token == "DELAY") {
            pausenext = index < group.size() && (group[index] == '=' || group[index] == ':');
            if (!pausenext) {
                error = sendkeysmessage("DELAY requires milliseconds", group);
                return false;
            }
        } else if (const uint8_t key = tokenkey(token)) {
            event.key = key;
        } else {
            error = sendkeysmessage("unknown key name", token);
            return false;
        }
    }
    if (pausenext) {
        error = sendkeysmessage("DELAY requires milliseconds", group);
        return false;
    }
    return true;
}

void addkeystep(std::vector<Win32KeyStep>& steps, Win32KeyStep::Kind kind, uint8_t key) {
    steps.push_back({kind, key});
}

} // namespace

int32_t vkkeyscan(char character) {
    const auto byte = static_cast<unsigned char>(character);
    if (std::islower(byte)) {
        return std::toupper(byte);
    }
    if (std::isupper(byte)) {
        return byte | shiftstate;
    }
    if (std::isdigit(byte) || character == ' ') {
        return byte;
    }
    if (const char* digit = std::strchr(shifteddigits, character); digit != nullptr && byte != 0) {
        return static_cast<int32_t>('0' + (digit - shifteddigits)) | shiftstate;
    }
    for (const PunctuationKey& key : punctuationkeys) {
        if (key.plain == character) {
            return key.code;
        }
        if (key.shifted == character) {
            return key.code | shiftstate;
        }
    }
    switch (character) {
    case '\n':
    case '\r':
        return 0x0D;
    case '\t':
        return 0x09;
    case '\b':
        return 0x08;
    case 0x1B:
        return 0x1B;
    default:
        return -1;
    }
}

uint8_t keynamecode(const std::string& name) {
    for (const KeyName& entry : keynames) {
        if (name == entry.name) {
            return entry.code;
        }
    }
    return 0;
}

bool parsesendkeys(const std::string& keys, std::vector<Win32KeyEvent>& events,
                   std::string& error) {
    events.clear();
    for (size_t position = 0; position < keys.size();) {
        Win32KeyEvent event;
        if (keys[position] == '{') {
            ++position;
            if (!parsegroup(keys, position, event, error)) {
                return false;
            }
        } else {
            const int32_t scan = vkkeyscan(keys[position]);
            if (scan < 0) {
                error = sendkeysmessage("no key for character", keys.substr(position, 1));
                return false;
            }
            event.key = static_cast<uint8_t>(scan & 0xFF);
            event.shift = (scan & shiftstate) != 0;
            event.ctrl = (scan & ctrlstate) != 0;
            event.alt = (scan & altstate) != 0;
            ++position;
        }
        events.push_back(event);
    }
    return true;
}

std::vector<Win32KeyStep> keysteps(const std::vector<Win32KeyEvent>& events) {
    using Kind = Win32KeyStep::Kind;
    std::vector<Win32KeyStep> steps;
    for (const Win32KeyEvent& event : events) {
        if (event.pausemilliseconds > 0) {
            steps.push_back({Kind::pause, event.pausemilliseconds});
        }
        if (event.key == 0) {
            continue;
        }
        const std::pair<bool, uint8_t> modifiers[] = {
            {event.shift, VK_SHIFT}, {event.ctrl, VK_CONTROL}, {event.alt, VK_MENU}};
        for (const auto& [set, key] : modifiers) {
            if (set) {
                addkeystep(steps, Kind::press, key);
            }
        }
        addkeystep(steps, Kind::press, event.key);
        addkeystep(steps, Kind::release, event.key);
        for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier) {
            if (modifier->first) {
                addkeystep(steps, Kind::release, modifier->second);
            }
        }
    }
    return steps;
}

} // namespace vornscript
