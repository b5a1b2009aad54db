// Names of file backups: "_" + name + " [yyyy_mm_dd hh_mm_ss UTC]" +
// extension, stamped with the source's last write time. Whole backup paths
// are kept below 261 characters, as on the system the scheme comes from, so
// backups stay portable; a longer name is cut and numbered, and a ".nam" file
// beside the backup keeps the full source name.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

namespace vornscript {

// "[2026_12_04 20_15_07 UTC]" for the UTC time, "[]" when it is unknown (-1).
std::string backuptimestamp(std::time_t lastwritetime);

struct VornBackupPlan {
    std::string backuppath;
    // Set when the name had to be cut: the ".nam" file to write, and its text.
    std::string namefilepath;
    std::string namefiletext;
};

// Plans the backup of the file [sourcename] (name with extension) into
// [folder] (ending with a separator or empty). [exists] tells which numbered
// ".nam" names are taken. False when all numbers 1 to 9999 are taken.
bool planbackup(const std::string& folder, std::string_view sourcename, const std::string& stamp,
                const std::function<bool(const std::string&)>& exists, VornBackupPlan& plan);

// True when the file name without its extension starts with "_" and ends
// with " [" followed by a full time stamp form.
bool isbackupfilename(std::string_view path);

} // namespace vornscript
