// parsejson and createjson: conversion between script values and JSON text.
// JSON scalars are texts to the script: a parsed number becomes a text that
// reads as a number, and the writer decides from a value's text alone
// whether to quote it (decimal digits bare, anything else quoted).
#pragma once

#include "sysfunctions/systemfunctionregistry.h"
#include "values/scriptobject.h"

#include <string>

namespace vornscript {

VornSystemFunctionTable jsonfunctiontable();

// Appends the JSON text of a value at [depth]: undefined gives the empty
// text, a text or number its text form, a vector an array, a structure an
// object with its members in name order. False with "collection nested too
// deeply" for a value nested (or containing itself) beyond the copy limit.
bool appendjsontext(const VornScriptObjectPtr& value, std::string& out, std::string& error,
                    int depth = 0);
// The value of a JSON text (objects become structures, arrays vectors,
// scalars texts); false with the reader's message.
bool parsejsontext(std::string_view text, VornScriptObjectPtr& value, std::string& error);

} // namespace vornscript
