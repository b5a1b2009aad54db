// Conversions between values and native numbers, booleans and texts, the
// type names of `gettype`, the casts to structure and vector and the r-value
// copy behind value semantics. Every function takes a possibly empty value
// and reports failure as false plus a message; none throws.
#pragma once

#include "values/scriptobject.h"

#include <cstdint>
#include <string>

namespace vornscript {

// "null", "long", "double", "string", "vector", "structure" or "unknown".
std::string gettypename(const VornScriptObjectPtr& value);

// "double value expected" when the value is no number.
bool getdouble(const VornScriptObjectPtr& value, double& result, std::string& error);
// Whole-number reading, else a floating reading truncated toward zero;
// "integer value expected" when the value is no number.
bool getlong(const VornScriptObjectPtr& value, int64_t& result, std::string& error);
// As getlong, within [minimum, maximum]: "value out of range <min>-<max>".
bool getlong(const VornScriptObjectPtr& value, int64_t& result, int64_t minimum, int64_t maximum,
             std::string& error);
// "boolean value expected" when the value is no boolean.
bool getbool(const VornScriptObjectPtr& value, bool& result, std::string& error);
// The text form; "string expected" for an empty value.
bool getstring(const VornScriptObjectPtr& value, std::string& result, std::string& error);

// Undefined gives {}, a vector a structure keyed "0", "1", ..., a structure
// a copy; else "cannot cast value to structure".
bool casttostructure(const VornScriptObjectPtr& value, VornScriptObjectPtr& result,
                     std::string& error);
// Undefined gives [], a vector a copy, a structure keyed 0..n-1 its values,
// another structure one-member structures; else "cannot cast value to vector".
bool casttovector(const VornScriptObjectPtr& value, VornScriptObjectPtr& result,
                  std::string& error);

// Independent copy for value semantics (the handler's castrvalue); the copy
// is no l-value. Empty stays empty, undefined gives a new undefined value;
// "handler for data missing" when a defined value has no handler.
bool makervalue(const VornScriptObjectPtr& value, VornScriptObjectPtr& result, std::string& error);

// A copy of an element or member for a copied collection: an l-value with
// an independent handler (shared when the handler's copyreference says so).
VornScriptObjectPtr copyelementvalue(const VornScriptObjectPtr& element);

} // namespace vornscript
