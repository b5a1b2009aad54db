// VornScriptObject operations: forwarding to the handler with the object-type
// checks, assignment semantics, the text and debug forms, and the value makers.
#include "values/scriptobject.h"

#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include "support/shortbytes.h"

#include <atomic>
#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <utility>

namespace vornscript {

namespace {

int32_t objecttypeofhandler(const VornScriptDataHandler& handler) {
    switch (handler.handlerkind()) {
    case VornHandlerKind::plainstring:
        return VornObjectType::string;
    case VornHandlerKind::plainvector:
        return VornObjectType::vector;
    case VornHandlerKind::plainstructure:
        return VornObjectType::structure;
    case VornHandlerKind::other:
        break;
    }
    if (handler.isstructure()) {
        return VornObjectType::structure;
    }
    if (handler.isvector()) {
        return VornObjectType::vector;
    }
    return handler.isstring() ? VornObjectType::string : VornObjectType::undefined;
}

const char* objecttypename(int32_t objecttype) {
    switch (objecttype) {
    case VornObjectType::undefined:
        return "undef";
    case VornObjectType::string:
        return "string";
    case VornObjectType::vector:
        return "vector";
    case VornObjectType::structure:
        return "structure";
    default:
        return "unknowntype";
    }
}

// An independent string handler with the content of a string value.
VornScriptDataHandlerPtr copystringhandler(const VornScriptDataHandlerPtr& handler,
                                           std::string& error) {
    if (handler->handlerkind() == VornHandlerKind::plainstring) {
        return handler->duplicate();
    }
    VornScriptDataHandlerPtr copy;
    handler->castrvalue(copy, error);
    return copy;
}

// Whether text holds part at offset (the caller checked the length).
bool holdsat(std::string_view text, size_t offset, std::string_view part) {
    return samebytes(text.data() + offset, part.data(), part.size());
}

} // namespace

VornScriptObject::VornScriptObject(VornScriptDataHandlerPtr handler)
    : objecttype_(handler ? objecttypeofhandler(*handler) : VornObjectType::undefined),
      handler_(std::move(handler)) {}

bool VornScriptObject::needshandler(int32_t objecttype, std::string& error) const {
    if (objecttype_ != objecttype) {
        error = objecttype == VornObjectType::vector ? "vector expected" : "structure expected";
        return false;
    }
    if (!handler_) {
        error = "invalid datahandler";
        return false;
    }
    return true;
}

bool VornScriptObject::checknotconst(std::string& error) const {
    if (const_) {
        error = "const object must not be changed";
        return false;
    }
    return true;
}

VornScriptDataHandlerPtr VornScriptObject::duplicate() const {
    if (objecttype_ == VornObjectType::undefined || !handler_) {
        return VornScriptDataHandlerPtr();
    }
    return handler_->duplicate();
}

bool VornScriptObject::islibrarydata() const {
    return handler_ && handler_->islibrarydata();
}

bool VornScriptObject::copyreference() const {
    return handler_ && handler_->copyreference();
}

void VornScriptObject::settypecode(int32_t code) {
    if (handler_) {
        handler_->settypecode(code);
    }
}

int32_t VornScriptObject::gettypecode() const {
    int32_t code = VornTypeCode::notset;
    if (handler_ && !handler_->gettypecode(code)) {
        code = VornTypeCode::notset;
    }
    return code;
}

bool VornScriptObject::vectorsize(int64_t& size, std::string& error) const {
    return needshandler(VornObjectType::vector, error) && handler_->vectorsize(size, error);
}

bool VornScriptObject::accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                                           std::string& error) {
    return needshandler(VornObjectType::vector, error) &&
           handler_->accessvectorelement(index, element, error);
}

bool VornScriptObject::getvectorelement(int64_t index, VornScriptObjectPtr& element,
                                        std::string& error) const {
    return needshandler(VornObjectType::vector, error) &&
           handler_->getvectorelement(index, element, error);
}

bool VornScriptObject::getvectorelements(VornScriptObjectList& elements, std::string& error) const {
    return needshandler(VornObjectType::vector, error) &&
           handler_->getvectorelements(elements, error);
}

bool VornScriptObject::pushvectorelement(const VornScriptObjectPtr& element, bool byreference,
                                         std::string& error) {
    return needshandler(VornObjectType::vector, error) &&
           handler_->pushvectorelement(element, byreference, error);
}

bool VornScriptObject::popvectorelement(VornScriptObjectPtr& element, std::string& error) {
    return needshandler(VornObjectType::vector, error) &&
           handler_->popvectorelement(element, error);
}

bool VornScriptObject::insertvectorelement(int64_t index, const VornScriptObjectPtr& element,
                                           std::string& error) {
    if (!needshandler(VornObjectType::vector, error)) {
        return false;
    }
    if (index < 0) {
        error = "index must be a positive integer value";
        return false;
    }
    return handler_->insertvectorelement(index, element, error);
}

bool VornScriptObject::removevectorelement(int64_t first, int64_t last, std::string& error) {
    return needshandler(VornObjectType::vector, error) &&
           handler_->removevectorelement(first, last, error);
}

bool VornScriptObject::accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                             std::string& error) {
    return needshandler(VornObjectType::structure, error) &&
           handler_->accessstructuremember(name, member, error);
}

bool VornScriptObject::getstructurefields(std::vector<std::string>& names,
                                          std::string& error) const {
    return needshandler(VornObjectType::structure, error) &&
           handler_->getstructurefields(names, error);
}

bool VornScriptObject::getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                          std::string& error) const {
    return needshandler(VornObjectType::structure, error) &&
           handler_->getstructuremember(name, member, error);
}

bool VornScriptObject::insertstructuremember(const std::string& name,
                                             const VornScriptObjectPtr& member,
                                             std::string& error) {
    return needshandler(VornObjectType::structure, error) &&
           handler_->insertstructuremember(name, member, error);
}

bool VornScriptObject::removestructuremember(const std::string& name, std::string& error) {
    return needshandler(VornObjectType::structure, error) &&
           handler_->removestructuremember(name, error);
}

void VornScriptObject::normalize() {
    if (handler_) {
        handler_->normalize();
    }
}

std::string VornScriptObject::getdebuginfo() const {
    std::string text = "OBJECT TYPE=";
    text += objecttypename(objecttype_);
    if (lvalue_) {
        text += " L-VALUE";
    }
    if (!name_.empty()) {
        text += " NAME=" + name_;
    }
    if (!handler_) {
        text += " data=null";
        return text;
    }
    char address[32];
    std::snprintf(address, sizeof address, " data=0x%016" PRIXPTR " ",
                  reinterpret_cast<uintptr_t>(handler_.get()));
    text += address;
    text += handler_->debuginfo();
    return text;
}

std::string VornScriptObject::tostring() const {
    std::string text;
    appendstring(text);
    return text;
}

void VornScriptObject::appendstring(std::string& out) const {
    if (objecttype_ != VornObjectType::undefined && handler_) {
        handler_->appendstring(out);
    }
}

std::string VornScriptObject::toelementstring() const {
    std::string text;
    appendelementstring(text);
    return text;
}

void VornScriptObject::appendelementstring(std::string& out) const {
    if (objecttype_ != VornObjectType::undefined && handler_) {
        handler_->appendelementstring(out);
    }
}

bool VornScriptObject::istrue() const {
    bool value = false;
    if (const VornScriptObjectStringHandler* text = plainstring()) {
        return text->readbool(value) && value;
    }
    if (objecttype_ != VornObjectType::string || !handler_) {
        return false;
    }
    std::string text;
    std::string error;
    return handler_->getstring(text, error) && readbooltext(text, value) && value;
}

int32_t VornScriptObject::numbertypecode() const {
    if (objecttype_ != VornObjectType::string || !handler_) {
        return VornTypeCode::notset;
    }
    const int32_t code = gettypecode();
    if (code != VornTypeCode::notset) {
        return code;
    }
    switch (readnumberslow().kind) {
    case VornNumberKind::integer:
        return VornTypeCode::longnumber;
    case VornNumberKind::decimal:
        return VornTypeCode::doublenumber;
    default:
        return VornTypeCode::notset;
    }
}

VornNumberReading VornScriptObject::readnumberslow() const {
    std::string text;
    std::string error;
    if (objecttype_ != VornObjectType::string || !handler_ || !handler_->getstring(text, error)) {
        return VornNumberReading();
    }
    return readnumbertext(text);
}

void VornScriptObject::setnull() {
    handler_.reset();
    objecttype_ = VornObjectType::undefined;
}

void VornScriptObject::clearreferenced() {
    if (referenced_) {
        referenced_->setnull();
    }
}

bool VornScriptObject::setstring(const std::string& text, std::string& error) {
    if (!checknotconst(error)) {
        return false;
    }
    if (VornScriptObjectStringHandler* plain = plainstring()) {
        plain->settext(text);
        objecttype_ = VornObjectType::string;
        return true;
    }
    if (!handler_ || !handler_->isstring()) {
        handler_ = makeref<VornScriptObjectStringHandler>(text);
        objecttype_ = VornObjectType::string;
        return true;
    }
    objecttype_ = VornObjectType::string;
    return handler_->setstring(text, error);
}

void VornScriptObject::takenumber(VornScriptObjectStringHandlerPtr handler) {
    handler_ = std::move(handler);
    objecttype_ = VornObjectType::string;
}

void VornScriptObject::setpathnameslow(const VornScriptObject& parent, char open,
                                       std::string_view key, char close) {
    if (parent.namestamp_ == 0) {
        // Values may be named on several threads; a stamp must stay unique.
        static std::atomic<uint64_t> stamps{0};
        parent.namestamp_ = stamps.fetch_add(1, std::memory_order_relaxed) + 1;
    }
    const std::string& parentname = parent.name_;
    const size_t keyat = parentname.size() + 1;
    const size_t length = keyat + key.size() + (close != 0 ? 1 : 0);
    const std::string_view name = name_;
    // The parent may have been renamed to the same text: then the name stays
    // and keeps its stamp.
    const bool same = name.size() == length && name[keyat - 1] == open &&
                      (close == 0 || name.back() == close) && holdsat(name, keyat, key) &&
                      holdsat(name, 0, parentname);
    if (!same) {
        name_.clear();
        name_.reserve(length);
        name_.append(parentname).append(1, open).append(key);
        if (close != 0) {
            name_.append(1, close);
        }
        namestamp_ = 0;
    }
    // Read again: the parent may be this object itself.
    pathparent_ = parent.namestamp_;
    pathposition_ = 0;
}

void VornScriptObject::setelementnameslow(const VornScriptObject& parent, int64_t position) {
    char buffer[24];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, position);
    setpathname(parent, '[', std::string_view(buffer, written.ptr), ']');
    pathposition_ = static_cast<uint64_t>(position) + 1;
}

bool VornScriptObject::setlong(int64_t value, std::string& error) {
    if (!checknotconst(error)) {
        return false;
    }
    if (VornScriptObjectStringHandler* plain = plainstring()) {
        plain->setlong(value);
        return true;
    }
    if (objecttype_ == VornObjectType::string && handler_) {
        if (!handler_->setstring(longtext(value), error)) {
            return false;
        }
        handler_->settypecode(VornTypeCode::longnumber);
        return true;
    }
    takenumber(VornScriptObjectStringHandler::makelong(value));
    return true;
}

bool VornScriptObject::setdouble(double value, std::string& error) {
    return setdouble(VornSnappedDouble{snapdouble(value)}, error);
}

bool VornScriptObject::setdouble(VornSnappedDouble value, std::string& error) {
    if (!checknotconst(error)) {
        return false;
    }
    if (VornScriptObjectStringHandler* plain = plainstring()) {
        plain->setdouble(value);
        return true;
    }
    if (objecttype_ == VornObjectType::string && handler_) {
        if (!handler_->setstring(doubletext(value.value), error)) {
            return false;
        }
        handler_->settypecode(VornTypeCode::doublenumber);
        return true;
    }
    takenumber(VornScriptObjectStringHandler::makedouble(value));
    return true;
}

bool VornScriptObject::setnumber(double value, std::string& error) {
    int64_t whole = 0;
    return doubleiswhole(value, whole) ? setlong(whole, error) : setdouble(value, error);
}

bool VornScriptObject::assign(const VornScriptObjectPtr& source, std::string& error) {
    if (!checknotconst(error)) {
        return false;
    }
    if (!source || !source->handler_) {
        setnull();
        return true;
    }
    if (source->copyreference()) {
        return assignreference(source, error);
    }
    const int32_t sourcetype = source->objecttype_;
    const bool thisisstring = objecttype_ == VornObjectType::string && handler_;
    if (sourcetype == VornObjectType::vector || sourcetype == VornObjectType::structure) {
        handler_ = source->handler_;
        objecttype_ = sourcetype;
        return true;
    }
    if (sourcetype == VornObjectType::undefined) {
        setnull();
        return true;
    }
    if (!thisisstring) {
        // A text is never shared by assignment: later in-place changes of
        // either value (setstring, ++) must not reach the other.
        VornScriptDataHandlerPtr copy = copystringhandler(source->handler_, error);
        if (!copy) {
            return false;
        }
        handler_ = std::move(copy);
        objecttype_ = sourcetype;
        return true;
    }
    VornScriptObjectStringHandler* target = plainstring();
    const VornScriptObjectStringHandler* from = source->plainstring();
    if (target != nullptr && from != nullptr) {
        target->copyfrom(*from);
        return true;
    }
    if (!handler_->setstring(source->tostring(), error)) {
        return false;
    }
    handler_->settypecode(source->gettypecode());
    return true;
}

bool VornScriptObject::assignreference(const VornScriptObjectPtr& source, std::string& error) {
    if (!checknotconst(error)) {
        return false;
    }
    if (!source) {
        error = "cannot assign null reference";
        return false;
    }
    handler_ = source->handler_;
    objecttype_ = source->objecttype_;
    return true;
}

VornScriptObjectPtr makeundefinedvalue() {
    return makeref<VornScriptObject>();
}

VornScriptObjectPtr makevalueoftype(int32_t objecttype) {
    switch (objecttype) {
    case VornObjectType::string:
        return makeref<VornScriptObject>(makeref<VornScriptObjectStringHandler>());
    case VornObjectType::vector:
        return makeref<VornScriptObject>(makeref<VornScriptObjectVectorHandler>());
    case VornObjectType::structure:
        return makeref<VornScriptObject>(makeref<VornScriptObjectStructureHandler>());
    default:
        return makeref<VornScriptObject>();
    }
}

VornScriptObjectPtr makestringvalue(std::string text, int32_t typecode) {
    return makeref<VornScriptObject>(
        VornScriptObject::PlainString{},
        makeref<VornScriptObjectStringHandler>(std::move(text), typecode));
}

VornScriptObjectPtr makelongvalue(int64_t value) {
    return makeref<VornScriptObject>(VornScriptObject::PlainString{},
                                     VornScriptObjectStringHandler::makelong(value));
}

VornScriptObjectPtr makedoublevalue(double value) {
    return makeref<VornScriptObject>(VornScriptObject::PlainString{},
                                     VornScriptObjectStringHandler::makedouble(value));
}

VornScriptObjectPtr makedoublevalue(VornSnappedDouble value) {
    return makeref<VornScriptObject>(VornScriptObject::PlainString{},
                                     VornScriptObjectStringHandler::makedouble(value));
}

VornScriptObjectPtr makenumbervalue(double value) {
    int64_t whole = 0;
    return doubleiswhole(value, whole) ? makelongvalue(whole) : makedoublevalue(value);
}

VornScriptObjectPtr makeboolvalue(bool value) {
    return makelongvalue(value ? 1 : 0);
}

VornScriptObjectPtr makehandlervalue(const VornScriptDataHandlerPtr& handler) {
    return makeref<VornScriptObject>(handler);
}

} // namespace vornscript
