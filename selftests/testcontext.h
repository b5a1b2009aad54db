// The context and runner of the script catalogue. Every catalogue row runs
// in a fresh TestContext: output and error output are captured in memory,
// the last logged message is kept, one virtual include file is served, and
// the "usertest" extension brings its live data. Nothing carries over from
// one row to the next.
#pragma once

#include "interpreter/context.h"

#include <cstdint>
#include <sstream>
#include <string>

namespace vornscriptunittests {

// The include name served from memory and its text.
inline constexpr const char* virtualincludename = "myinclude.vornscript";
inline constexpr const char* virtualincludetext =
    "// include filen myinclude.vornscript\nfunction myincludedfunc(x) { return sqrt(x); }";

class TestContext final : public vornscript::VornScriptContextBase {
public:
    TestContext();

    // Keeps only the last message.
    void onlogmessage(const std::string& text) override { lastlogmessage_ = text; }
    // The virtual include file by its exact name; every other name is read
    // from disk as usual.
    bool loadincludefile(const std::string& name, std::string& sourcename, std::string& text,
                         std::string& error) override;

    std::string output() const { return output_.str(); }
    std::string erroroutput() const { return erroroutput_.str(); }
    const std::string& lastlogmessage() const { return lastlogmessage_; }

private:
    std::ostringstream output_;
    std::ostringstream erroroutput_;
    std::string lastlogmessage_;
};

// Runs catalogue scripts one at a time and keeps what the last one left.
struct TestScriptRunner {
    // Views printed to standard output before a run (all off in the catalogue).
    bool showsource = false;
    bool showscanner = false;
    bool showparser = false;

    std::string sourcename;
    std::string output;
    std::string erroroutput;
    std::string script;
    std::string logmessage;
    // The code given to exit, -1 when the script did not call it.
    int32_t exitcode = 0;

    // Scans, parses and runs [scripttext] under [testname]; the result is the
    // text of the final value, "<error>" when parsing yields no tree, or
    // "<error> " and the full error text of an error that ended the script.
    std::string runscript(const std::string& testname, const std::string& scripttext);

private:
    std::string runincontext(TestContext& context);
    void printscannerview() const;
};

} // namespace vornscriptunittests
