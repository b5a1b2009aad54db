// Values to packets and back (see packets.h). Nesting is bounded like every
// other walk through collections, so a vector that contains itself (through
// a reference) or a packet list that loops cannot exhaust the stack.
#include "extensions/packets.h"

#include "extensions/librarydatahandler.h"
#include "support/charconvert.h"
#include "values/scriptobject.h"

namespace vornscript {

uint32_t VornHostReferences::add(const VornScriptObjectPtr& value) {
    values_.push_back(value);
    return static_cast<uint32_t>(values_.size() - 1);
}

VornScriptObjectPtr VornHostReferences::find(uint32_t id) const {
    return id < values_.size() ? values_[id] : VornScriptObjectPtr();
}

void VornHostReferences::addlibraryvalue(uint32_t objectid, const VornScriptObjectPtr& value) {
    libraryvalues_.emplace_back(objectid, value);
}

VornScriptObjectPtr VornHostReferences::findlibraryvalue(uint32_t objectid) const {
    for (const auto& [id, value] : libraryvalues_) {
        if (id == objectid) {
            return value;
        }
    }
    return {};
}

void* maketextpacket(const std::string& text) {
    return vornplugin::maketextpacket(vornstdstring::ansi2wstring(text));
}

std::string packettext(const void* packet) {
    return vornstdstring::wstring2ansi(vornplugin::packettext(packet));
}

namespace {

void* collectionpacket(const VornScriptObjectPtr& value, const VornLibraryModule* module,
                       VornHostReferences* references) {
    std::vector<void*> items;
    std::string error;
    uint32_t kind = vornplugin::listpacket;
    if (value->getobjecttype() == VornObjectType::vector) {
        VornScriptObjectList elements;
        value->getvectorelements(elements, error);
        for (const VornScriptObjectPtr& element : elements) {
            items.push_back(valuetopacket(element, module, references));
        }
    } else {
        kind = vornplugin::pairspacket;
        std::vector<std::string> names;
        value->getstructurefields(names, error);
        for (const std::string& name : names) {
            VornScriptObjectPtr member;
            value->getstructuremember(name, member, error);
            items.push_back(maketextpacket(name));
            items.push_back(valuetopacket(member, module, references));
        }
    }
    return vornplugin::makecollectionpacket(kind, items, references != nullptr ? hostownertag : 0);
}

VornScriptObjectPtr collectionvalue(const void* packet, const VornRef<VornLibraryModule>& module,
                                    const VornHostReferences* references) {
    const bool isvector = vornplugin::packetkind(packet) == vornplugin::listpacket;
    VornScriptObjectPtr value =
        makevalueoftype(isvector ? VornObjectType::vector : VornObjectType::structure);
    const uint32_t count = vornplugin::packetcount(packet);
    std::string error;
    for (uint32_t index = 0; index < count; ++index) {
        const void* item = vornplugin::packetitem(packet, index);
        if (isvector) {
            VornScriptObjectPtr element = packettovalue(item, module, references);
            value->pushvectorelement(element ? element : makeundefinedvalue(), false, error);
        } else if (index + 1 < count) {
            VornScriptObjectPtr member =
                packettovalue(vornplugin::packetitem(packet, ++index), module, references);
            value->insertstructuremember(packettext(item), member ? member : makeundefinedvalue(),
                                         error);
        }
    }
    return value;
}

VornScriptObjectPtr referencevalue(const void* packet, const VornRef<VornLibraryModule>& module,
                                   const VornHostReferences* references) {
    const uint32_t id = vornplugin::packetobjectid(packet);
    if (vornplugin::packettag(packet) == hostownertag) {
        return references != nullptr ? references->find(id) : VornScriptObjectPtr();
    }
    if (id == 0 || !module) {
        return {};
    }
    if (references != nullptr) {
        if (VornScriptObjectPtr sent = references->findlibraryvalue(id)) {
            return sent;
        }
    }
    return makehandlervalue(makeref<VornScriptLibraryDataHandler>(id, module));
}

} // namespace

void* valuetopacket(const VornScriptObjectPtr& value, const VornLibraryModule* module,
                    VornHostReferences* references) {
    VornNestingGuard guard;
    if (!value || value->isnull() || guard.toodeep()) {
        return vornplugin::makenonepacket();
    }
    const VornScriptDataHandlerPtr& handler = value->getdatahandler();
    if (auto* library = dynamic_cast<VornScriptLibraryDataHandler*>(handler.get());
        library != nullptr && library->module().get() == module) {
        const auto id = static_cast<uint32_t>(library->objectid());
        if (references != nullptr) {
            references->addlibraryvalue(id, value);
        }
        return vornplugin::makereferencepacket(id, 0);
    }
    if (references != nullptr && handler && handler->handlerkind() == VornHandlerKind::other) {
        return vornplugin::makereferencepacket(references->add(value), hostownertag);
    }
    if (value->getobjecttype() == VornObjectType::vector ||
        value->getobjecttype() == VornObjectType::structure) {
        return collectionpacket(value, module, references);
    }
    return maketextpacket(value->tostring());
}

VornScriptObjectPtr packettovalue(const void* packet, const VornRef<VornLibraryModule>& module,
                                  const VornHostReferences* references) {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        return {};
    }
    switch (vornplugin::packetkind(packet)) {
    case vornplugin::textpacket:
        return makestringvalue(packettext(packet));
    case vornplugin::listpacket:
    case vornplugin::pairspacket:
        return collectionvalue(packet, module, references);
    case vornplugin::referencepacket:
        return referencevalue(packet, module, references);
    default:
        return {};
    }
}

void* positionpacket(const VornScriptSourcePosition& position) {
    const std::pair<const char*, std::string> members[] = {
        {"filename", position.filename},
        {"linenr", std::to_string(position.line)},
        {"columnnr", std::to_string(position.column)},
        {"charpos", std::to_string(position.charpos)},
    };
    std::vector<void*> items;
    for (const auto& [name, text] : members) {
        items.push_back(maketextpacket(name));
        items.push_back(maketextpacket(text));
    }
    return vornplugin::makecollectionpacket(vornplugin::pairspacket, items, 0);
}

} // namespace vornscript
