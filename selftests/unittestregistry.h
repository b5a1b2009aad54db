// The unit-test registry: ordered suites, the check operations and the
// accumulated failure text. One instance serves a -tests run; every execution
// context owns another one for the unittest_ system functions. A failing
// check never stops a run, it only appends its failure line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

class vornunittest;

// A suite runs its selected tests; false aborts the run.
using VornUnitTestSuite = bool (*)(vornunittest& registry, const std::string& filter);

class vornunittest {
public:
    // A test is selected by an empty filter, "all", or a filter that occurs
    // in its name (case-sensitive, no wildcards).
    static bool isselected(std::string_view filter, std::string_view testname);

    void addsuite(VornUnitTestSuite suite) { suites_.push_back(suite); }
    // Runs every suite in order; true when no check failed. On failure the
    // failure text is written to the log.
    bool runall(const std::string& filter);

    // Each check counts and, on a mismatch, appends a failure line. Texts
    // are shown escaped, numbers and flags in their text form.
    bool areequal(std::string_view testname, std::string_view actual, std::string_view expected);
    bool areequalvalues(std::string_view testname, int64_t actual, int64_t expected);
    bool areequalbool(std::string_view testname, bool actual, bool expected);
    bool arenearvalues(std::string_view testname, double actual, double expected,
                       double maxdistance);
    void fail(std::string_view testname, std::string_view message);

    const std::string& failures() const { return failures_; }
    // The failure text, marking the results as read.
    const std::string& fetchresults() {
        resultsread_ = true;
        return failures_;
    }
    uint32_t checkcount() const { return checkcount_; }
    bool resultsread() const { return resultsread_; }
    // Empties the failure text and the count.
    void clear();

private:
    bool record(std::string_view testname, bool passed, std::string_view actual,
                std::string_view expected);

    std::vector<VornUnitTestSuite> suites_;
    std::string failures_;
    uint32_t checkcount_ = 0;
    bool resultsread_ = false;
};

} // namespace vornscript
