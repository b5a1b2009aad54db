// System sounds by their beep type (the MB_ICON flags, MB_OK, or the simple
// beep). With a display the sound theme's event plays through
// canberra-gtk-play; otherwise, or when that cannot start, the terminal bell
// rings on /dev/tty. Without either nothing sounds, which is no error.
#pragma once

#include <cstdint>
#include <string>

namespace vornscript {

// The simple beep's type.
inline constexpr uint32_t simplebeep = 0xFFFFFFFF;

// The freedesktop sound-theme event of a beep type ("bell" for the simple
// beep, MB_OK and unknown types).
std::string soundeventname(uint32_t type);

void playsystemsound(uint32_t type);

} // namespace vornscript
