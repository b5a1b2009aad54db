// The three suites of a -tests run, registered in this order: the string
// library (direct calls), the script catalogue, the conversions (direct
// calls). Each takes the registry and the filter and returns false only to
// abort the run, which the built-in suites never do.
#pragma once

#include "selftests/catalogue.h"
#include "selftests/unittestregistry.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornscriptunittests {

bool stringlibrarysuite(vornscript::vornunittest& registry, const std::string& filter);
bool cataloguesuite(vornscript::vornunittest& registry, const std::string& filter);
bool conversionsuite(vornscript::vornunittest& registry, const std::string& filter);

// Registers the three suites in order.
void registerselftestsuites(vornscript::vornunittest& registry);

// One row of a direct-call suite: the function result as a text.
struct DirectCallRow {
    const char* name;
    std::string_view expected;
    std::string (*actual)();
};

// Checks every selected row of a direct-call suite.
void rundirectcallrows(vornscript::vornunittest& registry, const std::string& filter,
                       std::span<const DirectCallRow> rows);

// The code units of a wide text as four hex digits each, blank-separated.
std::string widecodeunits(const std::u16string& text);

// A group of catalogue rows; a group that needs the test plug-in library
// runs only when loading it succeeds.
struct CatalogueGroup {
    std::span<const CatalogueRow> rows;
    bool needstestlibrary = false;
};

struct TestScriptRunner;

// Runs the selected rows of one catalogue table with [runner], one check
// per row.
void runcataloguerows(vornscript::vornunittest& registry, const std::string& filter,
                      TestScriptRunner& runner, std::span<const CatalogueRow> rows);

// The catalogue groups in running order.
std::vector<CatalogueGroup> cataloguegroups();

} // namespace vornscriptunittests
