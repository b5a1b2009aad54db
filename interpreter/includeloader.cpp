// Finding and reading include files for the include system function. The
// search asks the context's file permission for every candidate, so a
// sandboxed context decides which folders an include may come from; derived
// contexts (the self-tests) may serve files of their own instead.
#include "interpreter/context.h"

#include "frontend/syntaxtree.h"
#include "interpreter/raise.h"
#include "support/pathtext.h"
#include "support/wholefile.h"

#include <filesystem>
#include <system_error>

namespace vornscript {
namespace {

std::string joinfolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

bool isregularfile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace

bool VornScriptContextBase::loadincludefile(const std::string& name, std::string& sourcename,
                                            std::string& text, std::string& error) {
    if (name.empty()) {
        error = interpretermessage("cannot include file with empty name");
        return false;
    }
    // The folder of the script holding the include call, so an included file
    // includes next to itself; code without a file of its own (eval texts)
    // uses the folder of the run's script.
    std::string including = currentcall != nullptr ? scriptfolder(currentcall->scriptname()) : "";
    if (including.empty()) {
        including = basefolder();
    }
    std::vector<std::string> candidates;
    if (!including.empty()) {
        candidates.push_back(joinfolder(including, name));
    }
    for (const std::string& folder : includepaths) {
        candidates.push_back(joinfolder(folder, name));
    }
    candidates.push_back(name);
    sourcename.clear();
    for (const std::string& candidate : candidates) {
        if (hasFilePermission(candidate, 'i') && isregularfile(candidate)) {
            sourcename = candidate;
            break;
        }
    }
    if (sourcename.empty()) {
        error = interpretermessage("include file not found in include path", name);
        return false;
    }
    if (!hasFilePermission(sourcename, 'r')) {
        error = interpretermessage("no permission to read include file");
        return false;
    }
    if (!readwholefile(sourcename, text)) {
        error = interpretermessage("error reading include file");
        return false;
    }
    return true;
}

} // namespace vornscript
