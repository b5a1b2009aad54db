// The clipboard's text. With a desktop session the desktop clipboard is used
// through its command-line tools (wl-copy/wl-paste under Wayland, xclip under
// X11); without a display, or without those tools, a clipboard kept inside
// the process stands in, so scripts behave alike in both settings.
#pragma once

#include <string>

namespace vornscript {

// False when the desktop tool fails.
bool setclipboardtext(const std::string& text);
// "" when the clipboard holds no text.
std::string getclipboardtext();

} // namespace vornscript
