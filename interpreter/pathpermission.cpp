// Real-path containment test behind the file permission check (see
// pathpermission.h). The walk resolves links itself instead of using
// weakly_canonical, which leaves a dangling link at the end of a path
// unresolved and so would let a write escape through it.
#include "interpreter/pathpermission.h"

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <system_error>

namespace vornscript {
namespace {

namespace fs = std::filesystem;

// More symbolic links than this on one path count as a loop (as the kernel's
// ELOOP limit): such a path is never inside anything.
constexpr int maximumlinkhops = 40;

// The location the kernel would reach for [text]: absolute, every symbolic
// link resolved as the walk meets it (dangling ones too, because creating a
// file through a dangling link creates its target) and "." and ".." folded
// after resolution. Empty when the path cannot be resolved.
fs::path realnormalpath(const std::string& text) {
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(text), error);
    if (error) {
        return {};
    }
    const fs::path parts = absolute.relative_path();
    std::deque<fs::path> pending(parts.begin(), parts.end());
    fs::path real = absolute.root_path();
    int hops = 0;
    while (!pending.empty()) {
        const fs::path part = std::move(pending.front());
        pending.pop_front();
        if (part.empty() || part == ".") {
            continue;
        }
        if (part == "..") {
            real = real.parent_path();
            continue;
        }
        fs::path candidate = real / part;
        if (!fs::is_symlink(fs::symlink_status(candidate, error))) {
            real = std::move(candidate);
            continue;
        }
        if (++hops > maximumlinkhops) {
            return {};
        }
        const fs::path target = fs::read_symlink(candidate, error);
        if (error) {
            return {};
        }
        if (target.is_absolute()) {
            real = target.root_path();
        }
        const fs::path relative = target.relative_path();
        pending.insert(pending.begin(), relative.begin(), relative.end());
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
