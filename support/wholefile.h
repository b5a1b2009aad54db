// Whole-file reading and writing as bytes, shared by the program entry (the
// script file) and the ini profiles. Failures are reported by the return
// value only; callers choose their own messages.
#pragma once

#include <string>
#include <string_view>

namespace vornscript {

// The file's bytes; false when it cannot be opened or read (a folder fails too).
bool readwholefile(const std::string& path, std::string& content);
// Replaces the file with the bytes; false when it cannot be written.
bool writewholefile(const std::string& path, std::string_view content);

} // namespace vornscript
