// The function tables of the collection families: vector and structure
// functions, sorting, grep and byte buffers. Each table lists call keys next
// to implementations for the system-function selector.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

VornSystemFunctionTable collectionfunctiontable();
VornSystemFunctionTable sortfunctiontable();
VornSystemFunctionTable grepfunctiontable();
VornSystemFunctionTable bytebufferfunctiontable();

// The truth form of a collection function (see VornSystemTruthImpl), nullptr
// for one without.
VornSystemTruthImpl collectiontruthfunction(VornSystemFunctionImpl impl);

} // namespace vornscript
