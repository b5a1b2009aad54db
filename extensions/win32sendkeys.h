// The keys text of win32::SendKeys, turned into key events and then into the
// presses, releases and pauses that send them. Pure code: the window system
// layer only carries the steps out, so the parsing is tested without a
// display. Keys are virtual-key codes (VK_RETURN, 'A'), the codes the
// window system layer maps to its own key symbols.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vornscript {

// Virtual-key codes of the modifiers.
inline constexpr uint8_t VK_SHIFT = 0x10;
inline constexpr uint8_t VK_CONTROL = 0x11;
inline constexpr uint8_t VK_MENU = 0x12;

// One key with its modifiers, after an optional pause; key 0 only pauses.
struct Win32KeyEvent {
    int64_t pausemilliseconds = 0;
    uint8_t key = 0;
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// One step of sending: a pause, or a key going down or up.
struct Win32KeyStep {
    enum class Kind { pause, press, release };
    Kind kind;
    int64_t value; // milliseconds for a pause, else the virtual-key code
    bool operator==(const Win32KeyStep&) const = default;
};

// The virtual-key code and shift states of a character on the standard
// US keyboard (0x100 Shift, 0x200 Ctrl, 0x400 Alt); -1 when no key types it.
int32_t vkkeyscan(char character);
// The virtual-key code of a key name ("ENTER", "F5"; upper case), 0 for none.
uint8_t keynamecode(const std::string& name);

// Reads the keys text; false with [error] for a character without a key,
// an unknown key name, a group without "}" or a DELAY without a number.
bool parsesendkeys(const std::string& keys, std::vector<Win32KeyEvent>& events, std::string& error);
// The steps that send the events: each event's pause, then its modifiers
// pressed (Shift, Ctrl, Alt), the key pressed and released, the modifiers
// released (Alt, Ctrl, Shift).
std::vector<Win32KeyStep> keysteps(const std::vector<Win32KeyEvent>& events);

} // namespace vornscript
