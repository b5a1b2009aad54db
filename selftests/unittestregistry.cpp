// The unit-test registry (see unittestregistry.h). Failure lines have the
// fixed form "unit test <name> failed:  result=<actual>  correct=<expected>".
#include "selftests/unittestregistry.h"

#include "support/logsink.h"
#include "support/stringescape.h"
#include "support/stringnumbers.h"

#include <cmath>

namespace vornscript {

bool vornunittest::isselected(std::string_view filter, std::string_view testname) {
    return filter.empty() || filter == "all" || testname.find(filter) != std::string_view::npos;
}

bool vornunittest::runall(const std::string& filter) {
    failures_.clear();
    const std::string selection = filter == "all" ? std::string() : filter;
    for (VornUnitTestSuite suite : suites_) {
        if (!suite(*this, selection)) {
            failures_ += "error: unittests have been aborted\n";
            break;
        }
    }
    if (failures_.empty()) {
        return true;
    }
    // The log sink ends the entry with its own line feed.
    writelogline(failures_, false);
    return false;
}

bool vornunittest::record(std::string_view testname, bool passed, std::string_view actual,
                          std::string_view expected) {
    ++checkcount_;
    if (!passed) {
        failures_.append("unit test ").append(testname).append(" failed:  result=");
        failures_.append(actual).append("  correct=").append(expected).append("\n");
    }
    return passed;
}

bool vornunittest::areequal(std::string_view testname, std::string_view actual,
                            std::string_view expected) {
    if (actual == expected) {
        return record(testname, true, {}, {});
    }
    return record(testname, false, vornstdstring::escapestring(actual),
                  vornstdstring::escapestring(expected));
}

bool vornunittest::areequalvalues(std::string_view testname, int64_t actual, int64_t expected) {
    if (actual == expected) {
        return record(testname, true, {}, {});
    }
    return record(testname, false, vornstdstring::val2str(actual),
                  vornstdstring::val2str(expected));
}

bool vornunittest::areequalbool(std::string_view testname, bool actual, bool expected) {
    return record(testname, actual == expected, actual ? "true" : "false",
                  expected ? "true" : "false");
}

bool vornunittest::arenearvalues(std::string_view testname, double actual, double expected,
                                 double maxdistance) {
    // Written so that a NaN on either side fails.
    if (std::fabs(actual - expected) <= maxdistance) {
        return record(testname, true, {}, {});
    }
    return record(testname, false, vornstdstring::doubleval2str(actual),
                  vornstdstring::doubleval2str(expected));
}

void vornunittest::fail(std::string_view testname, std::string_view message) {
    ++checkcount_;
    failures_.append("unit test ").append(testname).append(" failed:  ");
    failures_.append(message).append("\n");
}

void vornunittest::clear() {
    failures_.clear();
    checkcount_ = 0;
}

} // namespace vornscript
