// The self-test hand-off as far as the program has one.
#include "driver/selftestrun.h"

#include "support/phrasetranslator.h"

#include <iostream>

namespace vornscript {

int runselftests(const std::string&) {
    std::cerr << translate("self-tests are not available yet", "vornscript") << "\n";
    return 1;
}

} // namespace vornscript
