// Shared helper of the script-level tests: runs a script text through the
// script run and returns its result text, so test tables read as
// (script, expected result) rows. Errors come back as "<error> " plus the
// full error text, positions included.
#pragma once

#include "driver/scriptrun.h"
#include "support/largestack.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vornscriptunittests {

inline std::string runtestscript(const std::string& script, const std::string& name = "test") {
    vornscript::VornScriptRunRequest request;
    request.scriptname = name;
    request.scripttext = script;
    std::string result;
    // Deep scripts need the interpreter's stack, as in the program.
    vornscript::runwithlargestack([&] {
        result = vornscript::runscript(request).result;
        return 0;
    });
    return result;
}

struct ScriptCase {
    const char* script;
    const char* expected;
};

inline void checkcases(const std::vector<ScriptCase>& cases) {
    for (const ScriptCase& row : cases) {
        EXPECT_EQ(runtestscript(row.script), row.expected) << "script: " << row.script;
    }
}

} // namespace vornscriptunittests
