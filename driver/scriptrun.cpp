// The script run as far as the program has one: without parser and
// interpreter no script can execute, and the caller learns that plainly.
#include "driver/scriptrun.h"

#include "support/phrasetranslator.h"

#include <iostream>

namespace vornscript {

std::string runscript(const std::string&, const std::string&) {
    std::cerr << translate("script execution is not available yet", "vornscript") << "\n";
    return "<error>";
}

} // namespace vornscript
