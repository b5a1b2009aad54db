// Real-path containment test behind the file permission check (see pathpermission.h).
#include "interpreter/pathpermission.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace vornscript {
namespace {

namespace fs = std::filesystem;

// Absolute, symlink-free (for the part that exists) and lexically normal form.
fs::path realnormalpath(const std::string& text) {
    std::error_code error;
    fs::path path = fs::absolute(fs::path(text), error);
    if (error) {
        return {};
    }
    fs::path real = fs::weakly_canonical(path, error);
    if (error) {
        real = path;
    }
    real = real.lexically_normal();
    // "/tmp/" and "/tmp" must compare alike.
    if (!real.has_filename() && real.has_parent_path() && real != real.root_path()) {
        real = real.parent_path();
    }
    return real;
}

} // namespace

std::string temporaryfolderpath() {
    const char* fromenvironment = std::getenv("TMPDIR");
    std::string folder =
        (fromenvironment != nullptr && *fromenvironment != '\0') ? fromenvironment : "/tmp";
    if (folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

bool pathliesinsidefolder(const std::string& path, const std::string& folder) {
    if (path.empty() || folder.empty()) {
        return false;
    }
    const fs::path realfolder = realnormalpath(folder);
    const fs::path realpath = realnormalpath(path);
    if (realfolder.empty() || realpath.empty()) {
        return false;
    }
    // Component-wise prefix test, so "/tmpfoo" is not inside "/tmp".
    auto pathpart = realpath.begin();
    for (const fs::path& folderpart : realfolder) {
        if (pathpart == realpath.end() || *pathpart != folderpart) {
            return false;
        }
        ++pathpart;
    }
    return true;
}

} // namespace vornscript
