// Special folders from the environment and the XDG user-dirs file.
#include "support/platformfolders.h"

#include "support/stringbasics.h"
#include "support/wholefile.h"

#include <cstdlib>
#include <pwd.h>
#include <string_view>
#include <unistd.h>

namespace vornscript {

namespace {

std::string environmentvalue(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

// A value of a shell-style assignment: double quotes removed, "$HOME" and
// "${HOME}" at the start replaced by the home folder.
std::string expandhome(std::string value, const std::string& home) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    for (std::string_view prefix : {std::string_view("$HOME"), std::string_view("${HOME}")}) {
        if (value.starts_with(prefix) &&
            (value.size() == prefix.size() || value[prefix.size()] == '/')) {
            return home + value.substr(prefix.size());
        }
    }
    return value;
}

} // namespace

std::string withfinalslash(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (path != "/") {
        path += '/';
    }
    return path;
}

std::string homefolder() {
    std::string home = environmentvalue("HOME");
    if (!home.empty()) {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? std::string(entry->pw_dir) : "/";
}

std::string documentsfolderfromuserdirs(const std::string& userdirstext, const std::string& home) {
    constexpr std::string_view key = "XDG_DOCUMENTS_DIR=";
    std::string_view rest = userdirstext;
    while (!rest.empty()) {
        size_t end = rest.find('\n');
        std::string line = vornstdstring::trim(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.starts_with(key)) {
            continue;
        }
        std::string folder = expandhome(vornstdstring::trim(line.substr(key.size())), home);
        // The file format allows only absolute or home-relative folders.
        if (folder.starts_with('/')) {
            return folder;
        }
    }
    return std::string();
}

std::string documentsfolder() {
    std::string folder = environmentvalue("XDG_DOCUMENTS_DIR");
    std::string home = homefolder();
    if (folder.empty()) {
        std::string userdirs;
        if (readwholefile(applicationdatafolder() + "user-dirs.dirs", userdirs)) {
            folder = documentsfolderfromuserdirs(userdirs, home);
        }
    } else {
        folder = expandhome(folder, home);
    }
    return withfinalslash(folder.empty() ? home + "/Documents" : folder);
}

std::string temporaryfolder() {
    std::string folder = environmentvalue("TMPDIR");
    return withfinalslash(folder.empty() ? "/tmp" : folder);
}

std::string applicationdatafolder() {
    std::string folder = environmentvalue("XDG_CONFIG_HOME");
    return withfinalslash(folder.empty() ? homefolder() + "/.config" : folder);
}

std::string programfolder() {
    return "/opt/";
}

} // namespace vornscript
