// Shared fixtures of the file function tests: a private temporary folder,
// environment overrides undone at the end of a test, and script runs with
// the placeholder {d} standing for the folder (with final "/"), either with
// every permission (command-line context) or in the restricted base context.
#pragma once

#include "frontend/parser.h"
#include "interpreter/constcontext.h"
#include "interpreter/context.h"
#include "interpreter/evaluationwrapper.h"
#include "scripttesthelper.h"
#include "values/errorexception.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace vornscriptunittests {

inline std::string replaceall(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

// Sets a variable (nullptr unsets it) and restores the old state afterwards.
class EnvironmentOverride {
public:
    EnvironmentOverride(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value != nullptr ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~EnvironmentOverride() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }
    EnvironmentOverride(const EnvironmentOverride&) = delete;
    EnvironmentOverride& operator=(const EnvironmentOverride&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// A fresh folder below /tmp, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        char pattern[] = "/tmp/vornfilestest_XXXXXX";
        path_ = std::string(::mkdtemp(pattern)) + "/";
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// Runs in a base context, whose writes are confined to the temporary folder.
inline std::string runrestrictedscript(const std::string& text) {
    try {
        vornscript::VornScriptContextBase context;
        const auto source = vornscript::makescriptsource("test", text);
        vornscript::VornScriptParser parser(source, &vornscript::programconstcontext());
        const auto root = parser.parse();
        if (!root) {
            return "<error>";
        }
        context.bindscript(root, source);
        vornscript::preparenode(*root, context);
        const auto value = vornscript::evaluatewrapped(*root, context);
        return value ? value->tostring() : std::string();
    } catch (const vornscript::VornScriptErrorException& error) {
        return "<error> " + error.fullerrortext();
    }
}

// Rows of (script, expected) with {d} replaced by [folder] in both. An
// expected text "!message" stands for a script error with that message,
// wherever it is raised.
inline void checkfolderrows(const std::string& folder, const std::vector<ScriptCase>& rows,
                            bool restricted = false) {
    for (const ScriptCase& row : rows) {
        const std::string script = replaceall(row.script, "{d}", folder);
        const std::string result = restricted ? runrestrictedscript(script) : runtestscript(script);
        const std::string expected = replaceall(row.expected, "{d}", folder);
        if (!expected.empty() && expected.front() == '!') {
            // Appended rather than joined with "+": GCC 12 at -O3 reports a
            // false overlap (-Wrestrict) for " " + text in some callers.
            std::string message = " ";
            message += std::string_view(expected).substr(1);
            EXPECT_TRUE(result.starts_with("<error> ") && result.ends_with(message))
                << "script: " << script << "\nresult: " << result;
        } else {
            EXPECT_EQ(result, expected) << "script: " << script;
        }
    }
}

} // namespace vornscriptunittests
