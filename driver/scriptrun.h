// The script run: takes the script name and text after the program entry's
// views and returns the result text ("<error>" when nothing could run). The
// parser and interpreter are not part of the program yet, so the run reports
// that on standard error and returns "<error>", which ends a file run with
// exit code 1.
#pragma once

#include <string>

namespace vornscript {

std::string runscript(const std::string& scriptname, const std::string& scripttext);

} // namespace vornscript
