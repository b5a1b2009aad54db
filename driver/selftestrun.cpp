// The -tests run (see selftestrun.h): failures go to standard output with
// exit code 1, a filter that selects nothing warns on standard error.
#include "driver/selftestrun.h"

#include "selftests/selftestsuites.h"
#include "support/phrasetranslator.h"

#include <iostream>

namespace vornscript {

namespace {

std::string message(const char* phrase) {
    return translate(phrase, "vornscript");
}

// Lives for the whole program run, its suites registered once.
vornunittest& selftestregistry() {
    static vornunittest registry = [] {
        vornunittest suites;
        vornscriptunittests::registerselftestsuites(suites);
        return suites;
    }();
    return registry;
}

} // namespace

int reportselftests(bool succeeded, const vornunittest& registry, std::ostream& out,
                    std::ostream& err) {
    if (!succeeded) {
        out << message("unit tests failed") << "\n" << registry.failures() << "\n";
        return 1;
    }
    if (registry.checkcount() == 0) {
        err << message("warning: no matching unit tests found") << "\n";
        return 0;
    }
    out << registry.checkcount() << message(" unit tests successful") << "\n";
    return 0;
}

int runselftests(const std::string& testfilter) {
    vornunittest& registry = selftestregistry();
    const bool succeeded = registry.runall(testfilter.empty() ? std::string("all") : testfilter);
    return reportselftests(succeeded, registry, std::cout, std::cerr);
}

} // namespace vornscript
