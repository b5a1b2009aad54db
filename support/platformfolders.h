// The user's special folders on Linux, standing in for the Windows shell's
// documents, application data, program files and temporary folders. Every
// folder is returned with a final "/" so callers can append names directly;
// environment variables that are set but empty count as unset.
#pragma once

#include <string>

namespace vornscript {

// XDG_DOCUMENTS_DIR from the environment, else from user-dirs.dirs in the
// application data folder, else $HOME/Documents.
std::string documentsfolder();
// $TMPDIR, else /tmp.
std::string temporaryfolder();
// $XDG_CONFIG_HOME, else $HOME/.config.
std::string applicationdatafolder();
// /opt, the home of separately installed programs.
std::string programfolder();
// The user's home folder: $HOME, else the password database entry.
std::string homefolder();

// Reads the documents folder from the text of a user-dirs.dirs file, where a
// line XDG_DOCUMENTS_DIR="$HOME/Documents" names it relative to the home
// folder or absolutely; empty when the file does not name one.
std::string documentsfolderfromuserdirs(const std::string& userdirstext, const std::string& home);

// The path with exactly one final "/" (the root stays "/").
std::string withfinalslash(std::string path);

} // namespace vornscript
