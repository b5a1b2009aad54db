// System functions for files, folders, ini profiles, the environment and the
// clipboard, one table per concern. Every file or folder access first asks the
// context's hasFilePermission with its mode letter ('i' information, 'r'
// read, 'w' write), so a restricted context keeps writes in the temporary folder.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

// Existence, size, comparison, closed-file reading and writing, copy, move,
// delete and backups.
VornSystemFunctionTable filefunctiontable();
// fileopen and the openfile... functions on an open-file value.
VornSystemFunctionTable openfilefunctiontable();
// Special folders, path texts, directory listing and creation, attributes.
VornSystemFunctionTable directoryfunctiontable();
// getprofile.../writeprofile...
VornSystemFunctionTable profilefunctiontable();
// getenv, setenv, getclipboardtext, setclipboardtext.
VornSystemFunctionTable environmentfunctiontable();

} // namespace vornscript
