// The constant table of the win32 extension (see win32constants.h). The
// aliases (WS_TILED, WS_ICONIC, ...) carry the values of the names they alias.
#include "extensions/win32constants.h"

#include <algorithm>

namespace vornscript {

namespace {

constexpr Win32Constant constanttable[] = {
    {"win32::WS_OVERLAPPED", 0x00000000},
    {"win32::WS_POPUP", 0x80000000},
    {"win32::WS_CHILD", 0x40000000},
    {"win32::WS_MINIMIZE", 0x20000000},
    {"win32::WS_VISIBLE", 0x10000000},
    {"win32::WS_DISABLED", 0x08000000},
    {"win32::WS_CLIPSIBLINGS", 0x04000000},
    {"win32::WS_CLIPCHILDREN", 0x02000000},
    {"win32::WS_CAPTION", 0x00C00000},
    {"win32::WS_BORDER", 0x00800000},
    {"win32::WS_DLGFRAME", 0x00400000},
    {"win32::WS_VSCROLL", 0x00200000},
    {"win32::WS_HSCROLL", 0x00100000},
    {"win32::WS_SYSMENU", 0x00080000},
    {"win32::WS_THICKFRAME", 0x00040000},
    {"win32::WS_GROUP", 0x00020000},
    {"win32::WS_TABSTOP", 0x00010000},
    {"win32::WS_MAXIMIZEBOX", 0x00010000},
    {"win32::WS_MINIMIZEBOX", 0x00020000},
    {"win32::WS_TILED", 0x00000000},
    {"win32::WS_ICONIC", 0x20000000},
    {"win32::WS_SIZEBOX", 0x00040000},
    {"win32::WS_TILEDWINDOW", 0x00CF0000},
    {"win32::WS_OVERLAPPEDWINDOW", 0x00CF0000},
    {"win32::WS_POPUPWINDOW", 0x80880000},
    {"win32::WS_CHILDWINDOW", 0x40000000},
    {"win32::BS_PUSHBUTTON", 0x00000000},
    {"win32::BS_DEFPUSHBUTTON", 0x00000001},
    {"win32::BS_CHECKBOX", 0x00000002},
    {"win32::BS_AUTOCHECKBOX", 0x00000003},
    {"win32::BS_RADIOBUTTON", 0x00000004},
    {"win32::BS_3STATE", 0x00000005},
    {"win32::BS_AUTO3STATE", 0x00000006},
    {"win32::BS_GROUPBOX", 0x00000007},
    {"win32::BS_USERBUTTON", 0x00000008},
    {"win32::BS_AUTORADIOBUTTON", 0x00000009},
    {"win32::BS_PUSHBOX", 0x0000000A},
    {"win32::BS_OWNERDRAW", 0x0000000B},
    {"win32::BS_TYPEMASK", 0x0000000F},
    {"win32::BS_LEFTTEXT", 0x00000020},
    {"win32::BS_TEXT", 0x00000000},
    {"win32::BS_ICON", 0x00000040},
    {"win32::BS_BITMAP", 0x00000080},
    {"win32::BS_LEFT", 0x00000100},
    {"win32::BS_RIGHT", 0x00000200},
    {"win32::BS_CENTER", 0x00000300},
    {"win32::BS_TOP", 0x00000400},
    {"win32::BS_BOTTOM", 0x00000800},
    {"win32::BS_VCENTER", 0x00000C00},
    {"win32::BS_PUSHLIKE", 0x00001000},
    {"win32::BS_MULTILINE", 0x00002000},
    {"win32::BS_NOTIFY", 0x00004000},
    {"win32::BS_FLAT", 0x00008000},
    {"win32::BS_RIGHTBUTTON", 0x00000020},
    {"win32::IDOK", 1},
    {"win32::IDCANCEL", 2},
    {"win32::IDABORT", 3},
    {"win32::IDRETRY", 4},
    {"win32::IDIGNORE", 5},
    {"win32::IDYES", 6},
    {"win32::IDNO", 7},
};

} // namespace

std::span<const Win32Constant> win32constants() {
    return constanttable;
}

std::optional<uint32_t> win32constant(const std::string& name) {
    const auto found =
        std::find_if(std::begin(constanttable), std::end(constanttable),
                     [&name](const Win32Constant& entry) { return name == entry.name; });
    if (found == std::end(constanttable)) {
        return std::nullopt;
    }
    return found->value;
}

} // namespace vornscript
