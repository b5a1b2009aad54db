// Path containment for the file permission check of execution contexts: a
// path lies inside a folder only when its real location does. Paths are made
// absolute, symbolic links of their existing part are resolved and "..", "."
// and repeated "/" are folded, so "/tmp/../etc/x" is not inside "/tmp".
#pragma once

#include <string>

namespace vornscript {

// The process's temporary folder: $TMPDIR, else "/tmp", always ending in "/".
std::string temporaryfolderpath();

// True when the real location of path is the folder or lies below it.
bool pathliesinsidefolder(const std::string& path, const std::string& folder);

} // namespace vornscript
