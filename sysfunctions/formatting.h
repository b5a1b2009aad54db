// The printf-like formatting engine behind sprintf, printf and printerrorf.
// Each conversion reads a script value the way its letter asks (a whole
// number, a double, a text form or a character code) and is written as the C
// library's snprintf would into a 1024-byte buffer, so one converted item
// never exceeds 1023 bytes; the format is parsed here, never passed through.
#pragma once

#include "values/datahandler.h"

#include <span>
#include <string>
#include <string_view>

namespace vornscript {

// Formats [arguments]: the first is the format, the rest are the values its
// conversions consume, and appends the text to [result]. On failure returns
// false with the message in [error]; [functionname] is the script function
// named by the message of a missing format ("sprintf requires format
// parameter as first argument").
bool formatscriptvalues(std::string_view functionname,
                        std::span<const VornScriptObjectPtr> arguments, std::string& result,
                        std::string& error);

} // namespace vornscript
