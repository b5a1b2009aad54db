// The constants of the win32 extension (window and button styles, button
// codes), named as scripts write them ("win32::WS_VISIBLE") with the
// standard values of the window system they come from. The table is the one
// place that knows them; the extension and the summary read it in order.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace vornscript {

struct Win32Constant {
    const char* name; // with the "win32::" prefix
    uint32_t value;
};

// Every constant in the order the summary lists them.
std::span<const Win32Constant> win32constants();
// The value of a constant by its full name.
std::optional<uint32_t> win32constant(const std::string& name);

// Values the extension's own code needs.
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_OVERLAPPEDWINDOW = 0x00CF0000;

} // namespace vornscript
