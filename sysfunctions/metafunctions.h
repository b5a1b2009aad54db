// The meta and introspection system functions: source positions of the
// call stack (__LINE__ and its family), version checks, type and text views
// of values, variable queries, deep copies, translation, raising errors ending
// the script, and running further code (eval, include, callfunction). They
// reach into the running context; every other family only reads values.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

VornSystemFunctionTable metafunctiontable();

// ---- implementations shared between the meta function files ----
// __LINE__, __POS__, __FILE__, __FOLDER__, __CODE__, __CODEPOS__ (metasource.cpp).
bool meta_line(VornSystemCall& call);
bool meta_pos(VornSystemCall& call);
bool meta_file(VornSystemCall& call);
bool meta_folder(VornSystemCall& call);
bool meta_code(VornSystemCall& call);
bool meta_codepos(VornSystemCall& call);
// eval, include, callfunction (metaevaluation.cpp).
bool meta_eval(VornSystemCall& call);
bool meta_include(VornSystemCall& call);
bool meta_callfunction(VornSystemCall& call);

} // namespace vornscript
