// The self-test catalogue: the language's behaviour as rows of (test name,
// expected result, script text), one data table per group, run in order by
// the self-test runner. A row whose name starts with "testoutputof" has no
// script: it compares a field that the row just before it left in the
// runner (output, error output, last log message or exit code).
#pragma once

#include <span>

namespace vornscriptunittests {

struct CatalogueRow {
    const char* name;
    const char* expected;
    const char* script; // nullptr for "testoutputof..." rows
};

// The groups in the order the catalogue runs them.
std::span<const CatalogueRow> basiclanguagerows();
std::span<const CatalogueRow> operatorrows(); // operators, casts, variables, user functions
std::span<const CatalogueRow> statementrows();
std::span<const CatalogueRow> incrementrows(); // increment and decrement
// The system-function group in two tables, the second continuing the first.
std::span<const CatalogueRow> systemfunctionrowsfirst();  // up to the print rows
std::span<const CatalogueRow> systemfunctionrowssecond(); // folders and files onwards
std::span<const CatalogueRow> livedatarows();             // live data and the user extension
std::span<const CatalogueRow> libraryrows();              // the test plug-in library

} // namespace vornscriptunittests
