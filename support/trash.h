// The user's recycle bin on Linux: the freedesktop.org home trash
// ($XDG_DATA_HOME/Trash, else ~/.local/share/Trash). A trashed file moves to
// files/ and an info/<name>.trashinfo entry records its original path and the
// deletion time, so desktop file managers can restore it. The info entry is
// created first and exclusively; that reserves the name against other programs.
#pragma once

#include <string>

namespace vornscript {

// The trash folder in use, with a final "/".
std::string trashfolder();

// Moves the file or folder at [path] into the trash; false when it does not
// exist or cannot be moved (nothing is left behind then).
bool movetotrash(const std::string& path);

// The path in the percent-encoded form of the Path= line of .trashinfo files.
std::string trashinfopath(const std::string& absolutepath);

} // namespace vornscript
