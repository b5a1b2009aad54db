// The file chooser dialog, shown by zenity (or kdialog) on the desktop. The
// filter keeps the "description|patterns|...||" form scripts write (patterns
// separated by ";"); "*.*" means every file, also those without an
// extension. Without a display there is no dialog: the chooser reports that
// it cannot start, and never waits on a terminal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

struct VornFileChooserOptions {
    bool save = false;        // a save dialog instead of an open dialog
    bool multi = false;       // several files may be chosen
    bool pickfolders = false; // folders are chosen instead of files
    bool overwriteprompt = false;
    bool pathmustexist = false;
    bool filemustexist = false;
};

struct VornFileFilter {
    std::string description;
    std::vector<std::string> patterns;
};

struct VornFileChooserRequest {
    std::string initialpath; // a folder or file to start from; "" for the current folder
    std::string caption;     // "" for the dialog's own title
    VornFileChooserOptions options;
    std::string defaultextension; // without the dot; "" for none
    std::vector<VornFileFilter> filters;
};

// Reads "desc|patterns|desc|patterns||" (at least one pair, nothing empty,
// ending in "||"); false when malformed.
bool parsefilefilter(std::string_view text, std::vector<VornFileFilter>& filters);
// A default extension: empty, or an optional "." and a name without
// separators, wildcards, quotes, dots or blanks. [extension] gets it
// without the dot.
bool parsedefaultextension(std::string_view text, std::string& extension);

enum class VornFileChooserOutcome { chosen, cancelled, cannotcreate, cannotstart };

// Shows the dialog; with [chosen], [paths] holds the chosen files (one
// unless the options say multi), the default extension added to a saved
// name without one.
VornFileChooserOutcome choosefiles(const VornFileChooserRequest& request,
                                   std::vector<std::string>& paths);

// The command line of the zenity dialog for [request].
std::vector<std::string> zenityfilecommand(const VornFileChooserRequest& request);

} // namespace vornscript
