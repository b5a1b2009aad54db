// The catalogue groups in running order. Only the groups whose row tables
// are part of the program are listed; the integrator adds each further
// group (basic language, operators, statements, increment and decrement,
// system functions first and second half) in its place before live data.
#include "selftests/selftestsuites.h"

namespace vornscriptunittests {

std::vector<CatalogueGroup> cataloguegroups() {
    return {
        {livedatarows()},
    };
}

} // namespace vornscriptunittests
