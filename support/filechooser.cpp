// File chooser dialogs (see filechooser.h). The dialog programs cannot
// enforce "the file must exist" or "the folder must exist" themselves, so a
// choice that breaks them shows the dialog again.
#include "support/filechooser.h"

#include "support/process.h"
#include "support/stringbasics.h"
#include "support/stringsplit.h"

#include <sys/stat.h>

namespace vornscript {

namespace {

using vornstdstring::split;
using vornstdstring::trim;

// A chooser that keeps getting unusable answers gives up as cancelled.
constexpr int maximumattempts = 10;

bool exists(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

std::string parentfolder(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool isfolder(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

// "*.*" in a script's filter means every file.
std::string dialogpattern(const std::string& pattern) {
    return pattern == "*.*" ? "*" : pattern;
}

std::string joinedpatterns(const VornFileFilter& filter) {
    std::string joined;
    for (const std::string& pattern : filter.patterns) {
        if (!joined.empty()) {
            joined += ' ';
        }
        joined += dialogpattern(pattern);
    }
    return joined;
}

std::vector<std::string> kdialogfilecommand(const VornFileChooserRequest& request) {
    const VornFileChooserOptions& options = request.options;
    std::vector<std::string> command{"kdialog"};
    if (!request.caption.empty()) {
        command.insert(command.end(), {"--title", request.caption});
    }
    if (options.multi) {
        command.insert(command.end(), {"--multiple", "--separate-output"});
    }
    command.push_back(options.pickfolders ? "--getexistingdirectory"
                      : options.save      ? "--getsavefilename"
                                          : "--getopenfilename");
    command.push_back(request.initialpath.empty() ? "." : request.initialpath);
    if (!options.pickfolders) {
        std::string filter;
        for (const VornFileFilter& entry : request.filters) {
            if (!filter.empty()) {
                filter += '\n';
            }
            filter += joinedpatterns(entry) + "|" + entry.description;
        }
        command.push_back(filter);
    }
    return command;
}

// The paths of a dialog program's answer, one per line.
std::vector<std::string> answerpaths(const std::string& output) {
    std::vector<std::string> paths;
    for (const std::string& line : split(output, "\n")) {
        if (!line.empty()) {
            paths.push_back(line);
        }
    }
    return paths;
}

bool meetsoptions(const VornFileChooserOptions& options, const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        if ((options.filemustexist && !exists(path)) ||
            (options.pathmustexist && !isfolder(parentfolder(path)))) {
            return false;
        }
    }
    return !paths.empty();
}

void adddefaultextension(const VornFileChooserRequest& request, std::vector<std::string>& paths) {
    if (!request.options.save || request.defaultextension.empty()) {
        return;
    }
    for (std::string& path : paths) {
        const size_t slash = path.find_last_of('/');
        const std::string_view name =
            std::string_view(path).substr(slash == std::string::npos ? 0 : slash + 1);
        if (name.find('.') == std::string_view::npos) {
            path += '.';
            path += request.defaultextension;
        }
    }
}

} // namespace

bool parsefilefilter(std::string_view text, std::vector<VornFileFilter>& filters) {
    if (!text.ends_with("||")) {
        return false;
    }
    const std::vector<std::string> parts = split(text.substr(0, text.size() - 2), "|");
    if (parts.empty() || parts.size() % 2 != 0) {
        return false;
    }
    std::vector<VornFileFilter> read;
    for (size_t index = 0; index < parts.size(); index += 2) {
        VornFileFilter filter{trim(parts[index]), {}};
        for (const std::string& pattern : split(parts[index + 1], ";")) {
            if (!trim(pattern).empty()) {
                filter.patterns.push_back(trim(pattern));
            }
        }
        if (filter.description.empty() || filter.patterns.empty()) {
            return false;
        }
        read.push_back(std::move(filter));
    }
    filters = std::move(read);
    return true;
}

bool parsedefaultextension(std::string_view text, std::string& extension) {
    if (text.starts_with('.')) {
        text.remove_prefix(1);
        if (text.empty()) {
            return false;
        }
    }
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string_view("/\\:*?\"<>|. ").find(c) != std::string_view::npos) {
            return false;
        }
    }
    extension = text;
    return true;
}

std::vector<std::string> zenityfilecommand(const VornFileChooserRequest& request) {
    const VornFileChooserOptions& options = request.options;
    std::vector<std::string> command{"zenity", "--file-selection"};
    if (!request.caption.empty()) {
        command.push_back("--title=" + request.caption);
    }
    if (options.save) {
        command.push_back("--save");
        if (options.overwriteprompt) {
            command.push_back("--confirm-overwrite");
        }
    }
    if (options.multi) {
        command.insert(command.end(), {"--multiple", "--separator=\n"});
    }
    if (options.pickfolders) {
        command.push_back("--directory");
    }
    if (!request.initialpath.empty()) {
        // A folder opens with its contents shown only when named with a final "/".
        const bool folder = isfolder(request.initialpath) && !request.initialpath.ends_with('/');
        command.push_back("--filename=" + request.initialpath + (folder ? "/" : ""));
    }
    if (!options.pickfolders) {
        for (const VornFileFilter& filter : request.filters) {
            command.push_back("--file-filter=" + filter.description + " | " +
                              joinedpatterns(filter));
        }
    }
    return command;
}

VornFileChooserOutcome choosefiles(const VornFileChooserRequest& request,
                                   std::vector<std::string>& paths) {
    if (!displayavailable()) {
        return VornFileChooserOutcome::cannotstart;
    }
    std::vector<std::string> command;
    if (!findonpath("zenity").empty()) {
        command = zenityfilecommand(request);
    } else if (!findonpath("kdialog").empty()) {
        command = kdialogfilecommand(request);
    } else {
        return VornFileChooserOutcome::cannotcreate;
    }
    for (int attempt = 0; attempt < maximumattempts; ++attempt) {
        const VornProgramRun run = runprogram(command);
        if (run.starterror != 0 || run.status > 1) {
            return VornFileChooserOutcome::cannotstart;
        }
        if (run.status == 1) {
            return VornFileChooserOutcome::cancelled;
        }
        paths = answerpaths(run.output);
        adddefaultextension(request, paths);
        if (meetsoptions(request.options, paths)) {
            return VornFileChooserOutcome::chosen;
        }
    }
    paths.clear();
    return VornFileChooserOutcome::cancelled;
}

} // namespace vornscript
