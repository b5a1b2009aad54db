// System functions that reach the operating system: pauses and window
// messages, running programs, message boxes, beeps, speech, MIDI and the
// file chooser. The services themselves live in support/ (process,
// shellexecute, messagebox, systemsound, speech, midioutput, filechooser);
// this family reads the argument words and maps results to words and messages.
#pragma once

#include "support/filechooser.h"
#include "sysfunctions/systemfunctionregistry.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace vornscript {

// sleep, wait, allowmessageprocessing, runprocess, shellexecute, findapplication.
VornSystemFunctionTable processfunctiontable();
// messagebox, beep, saytext, playmidi, filechooser.
VornSystemFunctionTable desktopfunctiontable();

// Writes out what the script printed so far, before a program or a prompt
// of its own shows anything.
void flushscriptoutput(const VornSystemCall& call);

// Pauses [milliseconds] in slices of at most [slice], each slept by [sleep];
// [afterslice] runs after every slice and ends the pause early by answering
// false. False when the pause ended early.
bool pauseinslices(int64_t milliseconds, int64_t slice, const std::function<void(int64_t)>& sleep,
                   const std::function<bool()>& afterslice);

// The message box flags of a box type word (any case; MB_OK for others).
unsigned messageboxflagsofword(std::string_view word);
// The word of a pressed button ("ok" ... "no"), else its number.
std::string messageboxanswerword(int button);
// The beep type of a sound name (any case; "" is the simple beep).
uint32_t beeptypeofword(std::string_view word);
// Reads the option words of filechooser; false at an unknown word.
bool parsefilechooseroptions(std::string_view text, VornFileChooserOptions& options);

} // namespace vornscript
