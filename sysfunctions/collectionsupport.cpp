// Helpers shared by the collection function families.
#include "sysfunctions/collectionsupport.h"

#include "interpreter/raise.h"
#include "values/vectorhandler.h"

#include <utility>

namespace vornscript {

std::string functionrequiresmessage(std::string_view name, const char* phrase) {
    std::string message = interpretermessage("function");
    message += ' ';
    message += name;
    message += ' ';
    message += interpretermessage(phrase);
    return message;
}

VornScriptObjectPtr makevectorvalue(VornScriptObjectList elements) {
    return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements)));
}

VornScriptObjectPtr makeemptyvector() {
    return makevalueoftype(VornObjectType::vector);
}

bool collectionentries(const VornScriptObjectPtr& collection, std::vector<std::string>& names,
                       VornScriptObjectList& values, std::string& error) {
    names.clear();
    values.clear();
    if (collection->getobjecttype() == VornObjectType::vector) {
        return collection->getvectorelements(values, error);
    }
    if (!collection->getstructurefields(names, error)) {
        return false;
    }
    values.resize(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (!collection->getstructuremember(names[i], values[i], error)) {
            return false;
        }
    }
    return true;
}

VornScriptObjectPtr makestructurevalue(VornScriptMemberMap members) {
    return makehandlervalue(makeref<VornScriptObjectStructureHandler>(std::move(members)));
}

} // namespace vornscript
