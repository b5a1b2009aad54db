// The catalogue groups in running order; the system-function group is kept
// in two tables that run one after the other.
#include "selftests/selftestsuites.h"

namespace vornscriptunittests {

std::vector<CatalogueGroup> cataloguegroups() {
    return {
        {basiclanguagerows()},
        {operatorrows()},
        {statementrows()},
        {incrementrows()},
        {systemfunctionrowsfirst()},
        {systemfunctionrowssecond()},
        {livedatarows()},
        {libraryrows(), true},
    };
}

} // namespace vornscriptunittests
