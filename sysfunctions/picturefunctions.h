// System functions for pictures: create, load, fill, draw text, save, and the
// colour-number helpers. A script holds a picture as a whole number that the
// family's table maps to its bitmap (support/picture); numbers are never
// reused, so a destroyed picture's number never reaches a newer picture.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

VornSystemFunctionTable picturefunctiontable();

} // namespace vornscript
