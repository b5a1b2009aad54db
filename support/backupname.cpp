// Backup name rules (see backupname.h).
#include "support/backupname.h"

#include "support/pathtext.h"

#include <cstdio>

namespace vornscript {

namespace {

// Backup paths stay below this length (the classic path limit plus one).
constexpr size_t backuppathlimit = 261;
// "_", " " and the time stamp add these characters (with room for a separator
// and a terminator, as the scheme always counted them).
constexpr size_t addedcharacters = 29;
// "_" and a number up to 9999 that a cut name receives.
constexpr size_t numberroom = 5;
constexpr int highestnumber = 9999;
// Pattern of the stamp: 'd' a digit, anything else itself.
constexpr std::string_view stamppattern = " [dddd_dd_dd dd_dd_dd UTC]";

} // namespace

std::string backuptimestamp(std::time_t lastwritetime) {
    std::tm parts{};
    if (lastwritetime == static_cast<std::time_t>(-1) ||
        gmtime_r(&lastwritetime, &parts) == nullptr) {
        return "[]";
    }
    char text[64];
    std::snprintf(text, sizeof text, "[%04d_%02d_%02d %02d_%02d_%02d UTC]", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

bool planbackup(const std::string& folder, std::string_view sourcename, const std::string& stamp,
                const std::function<bool(const std::string&)>& exists, VornBackupPlan& plan) {
    const std::string_view stem = pathwithoutextension(sourcename);
    const std::string_view extension = pathextension(sourcename);
    const size_t fixedlength = folder.size() + extension.size() + addedcharacters;
    if (fixedlength + stem.size() < backuppathlimit) {
        plan.backuppath = folder + "_" + std::string(stem) + " " + stamp + std::string(extension);
        plan.namefilepath.clear();
        plan.namefiletext.clear();
        return true;
    }
    // At least one character of the name survives even in a very deep folder.
    const size_t room = fixedlength + numberroom + 1 < backuppathlimit
                            ? backuppathlimit - 1 - fixedlength - numberroom
                            : 1;
    const std::string cut(stem.substr(0, room));
    for (int number = 1; number <= highestnumber; ++number) {
        const std::string numbered = cut + "_" + std::to_string(number);
        std::string namefile = folder + numbered + ".nam";
        if (exists(namefile)) {
            continue;
        }
        plan.backuppath = folder + "_" + numbered + " " + stamp + std::string(extension);
        plan.namefilepath = std::move(namefile);
        plan.namefiletext = std::string(sourcename) + "\n";
        return true;
    }
    return false;
}

bool isbackupfilename(std::string_view path) {
    const std::string_view stem = pathwithoutextension(pathfilename(path));
    if (stem.size() < stamppattern.size() + 1 || stem.front() != '_') {
        return false;
    }
    const std::string_view stamp = stem.substr(stem.size() - stamppattern.size());
    for (size_t index = 0; index < stamppattern.size(); ++index) {
        const char expected = stamppattern[index];
        const char actual = stamp[index];
        if (expected == 'd' ? (actual < '0' || actual > '9') : actual != expected) {
            return false;
        }
    }
    return true;
}

} // namespace vornscript
