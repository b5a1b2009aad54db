// parsejson and createjson: conversion between script values and JSON text
// through the JSON tree. The tree keeps every scalar as text, so a parsed
// number becomes a text that reads as a number, and the writer decides from
// the text alone whether to quote.
#pragma once

#include "support/jsontree.h"
#include "sysfunctions/systemfunctionregistry.h"
#include "values/scriptobject.h"

#include <string>

namespace vornscript {

VornSystemFunctionTable jsonfunctiontable();

// The tree of a value: undefined gives the empty scalar, a text or number
// its text form, a vector an array, a structure an object. False with
// "collection nested too deeply" for a value nested (or containing itself)
// beyond the copy limit.
bool valuetojsontree(const VornScriptObjectPtr& value, vornjson::vornjsontree& tree,
                     std::string& error);
// The value of a tree: objects become structures, arrays vectors, scalars texts.
VornScriptObjectPtr jsontreetovalue(const vornjson::vornjsontree& tree);

} // namespace vornscript
