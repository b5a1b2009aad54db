// Forwarding of the handler operations to the plug-in (see
// librarydatahandler.h). A missing export answers false or no value; an
// operation that reports errors then fails with "<operation> not
// implemented", as every handler without the operation does, so a script
// never sees an error without a message.
#include "extensions/librarydatahandler.h"

#include "extensions/packets.h"
#include "values/scriptobject.h"
#include "values/stringhandler.h"

namespace vornscript {

namespace exports = vornplugin::exports;

namespace {

bool notimplemented(const char* operation, std::string& error) {
    error.assign(operation).append(" not implemented");
    return false;
}

// The export's answer; when it is false, the error packet's text.
bool answered(bool answer, void* errorpacket, std::string& error) {
    const VornPacket owned(errorpacket);
    if (!answer) {
        error = packettext(errorpacket);
    }
    return answer;
}

// Calls [call] (value packet, error packet) -> answer and takes both packets.
template <class Handler, class Call>
bool valuecall(const Handler& handler, Call call, VornScriptObjectPtr& value, std::string& error) {
    void* valuepacket = nullptr;
    void* errorpacket = nullptr;
    const bool answer = call(valuepacket, errorpacket);
    value = handler.takevaluepacket(valuepacket);
    return answered(answer, errorpacket, error);
}

// Calls [call] (error packet) -> answer.
template <class Call> bool errorcall(Call call, std::string& error) {
    void* errorpacket = nullptr;
    const bool answer = call(errorpacket);
    return answered(answer, errorpacket, error);
}

VornScriptDataHandlerPtr emptytext() {
    return makeref<VornScriptObjectStringHandler>();
}

} // namespace

VornScriptLibraryDataHandler::~VornScriptLibraryDataHandler() {
    if (objectid_ != 0 && module_ && module_->handle() != 0) {
        if (const auto destroy = module_->find<exports::datahandler_destroy>()) {
            destroy(objectid_);
        }
    }
}

VornScriptObjectPtr VornScriptLibraryDataHandler::takevaluepacket(void* packet) const {
    const VornPacket owned(packet);
    return packettovalue(packet, module_, nullptr);
}

void* VornScriptLibraryDataHandler::packetof(const VornScriptObjectPtr& value) const {
    return valuetopacket(value, module_.get(), nullptr);
}

bool VornScriptLibraryDataHandler::isstring() const {
    const auto query = module_->find<exports::datahandler_isstring>();
    return query != nullptr && query(objectid_);
}

bool VornScriptLibraryDataHandler::isstructure() const {
    const auto query = module_->find<exports::datahandler_isstructure>();
    return query != nullptr && query(objectid_);
}

bool VornScriptLibraryDataHandler::isvector() const {
    const auto query = module_->find<exports::datahandler_isvector>();
    return query != nullptr && query(objectid_);
}

bool VornScriptLibraryDataHandler::copyreference() const {
    const auto query = module_->find<exports::datahandler_copyreference>();
    return query != nullptr && query(objectid_);
}

VornScriptDataHandlerPtr VornScriptLibraryDataHandler::duplicate() {
    if (const auto function = module_->find<exports::datahandler_duplicate>()) {
        const VornScriptObjectPtr copy = takevaluepacket(function(objectid_));
        if (copy && copy->getdatahandler()) {
            return copy->getdatahandler();
        }
    }
    VornScriptDataHandlerPtr plain;
    std::string error;
    return castrvalue(plain, error) ? plain : emptytext();
}

bool VornScriptLibraryDataHandler::castrvalue(VornScriptDataHandlerPtr& result,
                                              std::string& error) {
    const auto function = module_->find<exports::datahandler_castrvalue>();
    if (function == nullptr) {
        return notimplemented("castrvalue", error);
    }
    VornScriptObjectPtr value;
    const bool answer = valuecall(
        *this,
        [&](void*& packet, void*& errorpacket) { return function(objectid_, packet, errorpacket); },
        value, error);
    result = value && value->getdatahandler() ? value->getdatahandler() : emptytext();
    return answer;
}

bool VornScriptLibraryDataHandler::accessstructuremember(const std::string& name,
                                                         VornScriptObjectPtr& member,
                                                         std::string& error) {
    const auto function = module_->find<exports::datahandler_accessstructuremember>();
    if (function == nullptr) {
        return notimplemented("accessstructuremember", error);
    }
    const VornPacket namepacket(maketextpacket(name));
    return valuecall(
        *this,
        [&](void*& packet, void*& errorpacket) {
            return function(objectid_, namepacket.get(), packet, errorpacket);
        },
        member, error);
}

bool VornScriptLibraryDataHandler::getstructuremember(const std::string& name,
                                                      VornScriptObjectPtr& member,
                                                      std::string& error) {
    const auto function = module_->find<exports::datahandler_getstructuremember>();
    if (function == nullptr) {
        return notimplemented("getstructuremember", error);
    }
    const VornPacket namepacket(maketextpacket(name));
    return valuecall(
        *this,
        [&](void*& packet, void*& errorpacket) {
            return function(objectid_, namepacket.get(), packet, errorpacket);
        },
        member, error);
}

bool VornScriptLibraryDataHandler::getstructurefields(std::vector<std::string>& names,
                                                      std::string& error) {
    const auto function = module_->find<exports::datahandler_getstructurefields>();
    if (function == nullptr) {
        return notimplemented("getstructurefields", error);
    }
    void* namespacket = nullptr;
    const bool answer = errorcall(
        [&](void*& errorpacket) { return function(objectid_, namespacket, errorpacket); }, error);
    const VornPacket owned(namespacket);
    names.clear();
    for (uint32_t index = 0; index < vornplugin::packetcount(namespacket); ++index) {
        if (const void* item = vornplugin::packetitem(namespacket, index)) {
            names.push_back(packettext(item));
        }
    }
    return answer;
}

bool VornScriptLibraryDataHandler::insertstructuremember(const std::string& name,
                                                         const VornScriptObjectPtr& member,
                                                         std::string& error) {
    const auto function = module_->find<exports::datahandler_insertstructuremember>();
    if (function == nullptr) {
        return notimplemented("insertstructuremember", error);
    }
    const VornPacket namepacket(maketextpacket(name));
    const VornPacket valuepacket(packetof(member));
    return errorcall(
        [&](void*& errorpacket) {
            return function(objectid_, namepacket.get(), valuepacket.get(), errorpacket);
        },
        error);
}

bool VornScriptLibraryDataHandler::removestructuremember(const std::string& name,
                                                         std::string& error) {
    const auto function = module_->find<exports::datahandler_removestructuremember>();
    if (function == nullptr) {
        return notimplemented("removestructuremember", error);
    }
    const VornPacket namepacket(maketextpacket(name));
    return errorcall(
        [&](void*& errorpacket) { return function(objectid_, namepacket.get(), errorpacket); },
        error);
}

bool VornScriptLibraryDataHandler::vectorsize(int64_t& size, std::string& error) {
    const auto function = module_->find<exports::datahandler_vectorsize>();
    if (function == nullptr) {
        return notimplemented("vectorsize", error);
    }
    return errorcall([&](void*& errorpacket) { return function(objectid_, size, errorpacket); },
                     error);
}

bool VornScriptLibraryDataHandler::accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                                                       std::string& error) {
    const auto function = module_->find<exports::datahandler_accessvectorelement>();
    if (function == nullptr) {
        return notimplemented("accessvectorelement", error);
    }
    return valuecall(
        *this,
        [&](void*& packet, void*& errorpacket) {
            return function(objectid_, index, packet, errorpacket);
        },
        element, error);
}

bool VornScriptLibraryDataHandler::getvectorelement(int64_t index, VornScriptObjectPtr& element,
                                                    std::string& error) {
    const auto function = module_->find<exports::datahandler_getvectorelement>();
    if (function == nullptr) {
        return notimplemented("getvectorelement", error);
    }
    return valuecall(
        *this,
        [&](void*& packet, void*& errorpacket) {
            return function(objectid_, index, packet, errorpacket);
        },
        element, error);
}

bool VornScriptLibraryDataHandler::pushvectorelement(const VornScriptObjectPtr& element,
                                                     bool byreference, std::string& error) {
    const auto function = module_->find<exports::datahandler_pushvectorelement>();
    if (function == nullptr) {
        return notimplemented("pushvectorelement", error);
    }
    const VornPacket valuepacket(packetof(element));
    return errorcall(
        [&](void*& errorpacket) {
            return function(objectid_, valuepacket.get(), byreference, errorpacket);
        },
        error);
}

bool VornScriptLibraryDataHandler::popvectorelement(VornScriptObjectPtr& element,
                                                    std::string& error) {
    const auto function = module_->find<exports::datahandler_popvectorelement>();
    if (function == nullptr) {
        return notimplemented("popvectorelement", error);
    }
    return valuecall(
        *this,
        [&](void*& packet, void*& errorpacket) { return function(objectid_, packet, errorpacket); },
        element, error);
}

bool VornScriptLibraryDataHandler::insertvectorelement(int64_t index,
                                                       const VornScriptObjectPtr& element,
                                                       std::string& error) {
    int64_t size = 0;
    if (!vectorsize(size, error)) {
        return false;
    }
    if (index < 0 || index > size) {
        error = "invalid index";
        return false;
    }
    VornScriptObjectList moved;
    for (int64_t count = size - index; count > 0; --count) {
        VornScriptObjectPtr last;
        if (!popvectorelement(last, error)) {
            return false;
        }
        moved.push_back(std::move(last));
    }
    if (!pushvectorelement(element, false, error)) {
        return false;
    }
    for (auto last = moved.rbegin(); last != moved.rend(); ++last) {
        if (!pushvectorelement(*last, false, error)) {
            return false;
        }
    }
    return true;
}

bool VornScriptLibraryDataHandler::removevectorelement(int64_t first, int64_t last,
                                                       std::string& error) {
    const auto function = module_->find<exports::datahandler_removevectorelements>();
    if (function == nullptr) {
        return notimplemented("removevectorelement", error);
    }
    return errorcall(
        [&](void*& errorpacket) { return function(objectid_, first, last, errorpacket); }, error);
}

bool VornScriptLibraryDataHandler::getstring(std::string& text, std::string& error) {
    const auto function = module_->find<exports::datahandler_getstring>();
    if (function == nullptr) {
        return notimplemented("getstring", error);
    }
    void* textpacket = nullptr;
    const bool answer = errorcall(
        [&](void*& errorpacket) { return function(objectid_, textpacket, errorpacket); }, error);
    const VornPacket owned(textpacket);
    text = packettext(textpacket);
    return answer;
}

bool VornScriptLibraryDataHandler::setstring(const std::string& text, std::string& error) {
    const auto function = module_->find<exports::datahandler_setstring>();
    if (function == nullptr) {
        return notimplemented("setstring", error);
    }
    const VornPacket textpacket(maketextpacket(text));
    return errorcall(
        [&](void*& errorpacket) { return function(objectid_, textpacket.get(), errorpacket); },
        error);
}

std::string VornScriptLibraryDataHandler::debuginfo() {
    if (const auto function = module_->find<exports::datahandler_debuginfo>()) {
        const VornPacket text(function(objectid_));
        return packettext(text.get());
    }
    return VornScriptDataHandler::debuginfo();
}

std::string VornScriptLibraryDataHandler::tostring() {
    if (const auto function = module_->find<exports::datahandler_tostring>()) {
        const VornPacket text(function(objectid_));
        return packettext(text.get());
    }
    // A plug-in whose plain copy is again one of its values must not recurse
    // without end.
    VornNestingGuard guard;
    if (guard.toodeep()) {
        return nestedtoodeeptext;
    }
    VornScriptDataHandlerPtr plain;
    std::string error;
    if (castrvalue(plain, error)) {
        return plain->tostring();
    }
    return VornScriptDataHandler::tostring();
}

} // namespace vornscript
