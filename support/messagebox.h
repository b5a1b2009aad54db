// Message boxes. The caller describes the box with the familiar MB_ flags
// (button set, icon, default button) and gets the pressed button back as an
// ID code. With a display the box is a zenity (or kdialog) dialog; without
// one the question goes to the terminal (/dev/tty); with neither the box
// answers at once with its default button, so unattended runs never hang.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace vornscript {

// Button sets (the low four bits).
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
inline constexpr unsigned MB_YESNOCANCEL = 0x3;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_RETRYCANCEL = 0x5;
// Icons (bits 4 to 7).
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONEXCLAMATION = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;
// The default button (bits 8 to 11); the first button otherwise.
inline constexpr unsigned MB_DEFBUTTON2 = 0x100;
inline constexpr unsigned MB_DEFBUTTON3 = 0x200;

// The pressed button.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The buttons of the box in order, as ID codes (an unknown button set
// counts as MB_OK).
std::vector<int> messageboxbuttons(unsigned flags);
// The ID code of the default button.
int messageboxdefault(unsigned flags);
// The label of a button ("OK", "Cancel", "Abort", ...).
std::string messageboxlabel(int button);

// Shows the box and waits for the answer.
int showmessagebox(const std::string& text, const std::string& caption, unsigned flags);

// The terminal form: writes caption, text and the choices to [out] and
// reads answers from [in] (a button's label or its first letter, any case;
// an empty line takes the default) until one names a button; the end of
// the input takes the default.
int askmessagebox(std::istream& in, std::ostream& out, const std::string& text,
                  const std::string& caption, unsigned flags);

} // namespace vornscript
