// The record of a literal (see literalcache.h).
#include "interpreter/literalcache.h"

#include "support/numbertext.h"
#include "values/numbers.h"
#include "values/stringhandler.h"

namespace vornscript {

const LiteralCache& makeliteralcache(const VornScriptConstValue& node) {
    auto cache = makeref<LiteralCache>();
    if (node.typecode == VornTypeCode::notset) {
        const VornNumberReading reading = readnumbertext(node.text);
        const bool whole = reading.kind == VornNumberKind::integer;
        cache->nativelong = whole && longtext(reading.longvalue) == node.text;
        cache->isnumber = whole || reading.kind == VornNumberKind::decimal;
        cache->number = NumberResult{whole, reading.longvalue, reading.doublevalue};
    }
    if (!cache->nativelong) {
        auto prepared = makeref<VornScriptObjectStringHandler>(node.text, node.typecode);
        prepared->numberreading();
        cache->prepared = prepared;
    }
    node.interpretervalue = cache;
    return *cache;
}

} // namespace vornscript
