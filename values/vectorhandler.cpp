// Abstract vector base and the plain vector handler.
#include "values/vectorhandler.h"

#include "values/conversions.h"
#include "values/scriptobject.h"

#include <utility>

namespace vornscript {

namespace {

// Growing beyond this many entries is refused instead of exhausting memory.
constexpr int64_t maximumvectorsize = int64_t{1} << 28;
// The first allocation of a vector that grows by appending.
constexpr size_t initialcapacity = 4;

bool checkindex(int64_t index, std::string& error) {
    if (index < 0) {
        error = "index must be a positive integer value";
        return false;
    }
    if (index >= maximumvectorsize) {
        error = "vector index too large";
        return false;
    }
    return true;
}

// The number of an element object that may give way to an inline number: it
// and its handler are held once (by the caller's list or slot alone) and it
// carries nothing a fresh number value lacks (a name, the const mark, a
// reference link, a cleared l-value flag).
bool inlinenumber(const VornScriptObject& object, int64_t& value) {
    if (object.refcount() != 1 || object.getobjecttype() != VornObjectType::string ||
        !object.islvalue() || object.isconst() || object.getreferenced() ||
        !object.getname().empty()) {
        return false;
    }
    const VornScriptObjectStringHandler* plain = object.plainstring();
    if (plain == nullptr || plain->refcount() != 1 || !plain->isnativelong()) {
        return false;
    }
    value = plain->numberreading().longvalue;
    return VornVectorSlot::fits(value);
}

VornVectorSlots compactslots(VornScriptObjectList elements) {
    VornVectorSlots slots;
    slots.reserve(elements.size());
    for (VornScriptObjectPtr& element : elements) {
        slots.push_back(makeelementslot(std::move(element)));
    }
    return slots;
}

} // namespace

bool VornScriptObjectVectorHandlerAbstractBase::castrvalue(VornScriptDataHandlerPtr& result,
                                                           std::string& error) {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        error = nestedtoodeepmessage;
        return false;
    }
    VornScriptObjectList elements;
    if (!getvectorelements(elements, error)) {
        return false;
    }
    for (VornScriptObjectPtr& element : elements) {
        element = copyelementvalue(element);
    }
    result = makeref<VornScriptObjectVectorHandler>(std::move(elements));
    return true;
}

std::string VornScriptObjectVectorHandlerAbstractBase::debuginfo() {
    int64_t size = 0;
    std::string error;
    vectorsize(size, error);
    return "SIZE=" + std::to_string(size);
}

std::string VornScriptObjectVectorHandlerAbstractBase::tostring() {
    return vectortext();
}

void VornScriptObjectVectorHandlerAbstractBase::clear() {
    int64_t size = 0;
    std::string error;
    if (vectorsize(size, error) && size > 0) {
        removevectorelement(0, size - 1, error);
    }
}

VornVectorSlot makeelementslot(VornScriptObjectPtr element) {
    int64_t value = 0;
    if (element && inlinenumber(*element, value)) {
        return VornVectorSlot::ofnumber(value);
    }
    return VornVectorSlot(std::move(element));
}

VornVectorSlot copyelementslot(const VornVectorSlot& slot) {
    VornScriptObject* object = slot.object();
    return object != nullptr ? makeelementslot(copyelementvalue(VornScriptObjectPtr(object)))
                             : slot;
}

VornScriptObjectVectorHandler::VornScriptObjectVectorHandler()
    : VornScriptObjectVectorHandlerAbstractBase(VornHandlerKind::plainvector) {}

VornScriptObjectVectorHandler::VornScriptObjectVectorHandler(VornScriptObjectList elements)
    : VornScriptObjectVectorHandlerAbstractBase(VornHandlerKind::plainvector),
      slots_(compactslots(std::move(elements))) {}

VornScriptObjectVectorHandler::VornScriptObjectVectorHandler(VornVectorSlots slots)
    : VornScriptObjectVectorHandlerAbstractBase(VornHandlerKind::plainvector),
      slots_(std::move(slots)) {}

VornScriptObject* VornScriptObjectVectorHandler::place(VornVectorSlot& slot) {
    if (slot.isnumber()) {
        slot = VornVectorSlot(makelongvalue(slot.numbervalue()));
    } else if (slot.isempty()) {
        slot = VornVectorSlot(makeref<VornScriptObject>());
    }
    return slot.object();
}

VornScriptObjectVectorHandler::~VornScriptObjectVectorHandler() {
    const VornReleaseDepth depth;
    if (depth.toodeep()) [[unlikely]] {
        for (const VornVectorSlot& slot : slots_) {
            if (VornScriptObject* object = slot.object()) {
                VornReleaseDepth::park(object);
            }
        }
    }
    slots_.clear();
}

void VornScriptObjectVectorHandler::append(VornVectorSlot slot) {
    if (slots_.size() == slots_.capacity()) {
        // Before the array grows, elements that went back to being plain
        // numbers held by the vector alone (places reached earlier, values
        // once bound to a loop variable) give their objects back.
        for (VornVectorSlot& entry : slots_) {
            int64_t value = 0;
            if (const VornScriptObject* object = entry.object();
                object != nullptr && inlinenumber(*object, value)) {
                entry = VornVectorSlot::ofnumber(value);
            }
        }
        // A vector filled element by element starts with room for a few,
        // sparing the allocations of the first doublings.
        if (slots_.empty()) {
            slots_.reserve(initialcapacity);
        }
    }
    slots_.push_back(std::move(slot));
}

VornScriptDataHandlerPtr VornScriptObjectVectorHandler::duplicate() {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        return VornScriptDataHandlerPtr();
    }
    VornVectorSlots copies;
    copies.reserve(slots_.size());
    for (const VornVectorSlot& slot : slots_) {
        const VornScriptObject* object = slot.object();
        copies.push_back(object != nullptr
                             ? makeelementslot(makeref<VornScriptObject>(object->duplicate()))
                             : slot);
    }
    return makeref<VornScriptObjectVectorHandler>(std::move(copies));
}

bool VornScriptObjectVectorHandler::castrvalue(VornScriptDataHandlerPtr& result,
                                               std::string& error) {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        error = nestedtoodeepmessage;
        return false;
    }
    VornVectorSlots copies;
    copies.reserve(slots_.size());
    for (const VornVectorSlot& slot : slots_) {
        copies.push_back(copyelementslot(slot));
    }
    result = makeref<VornScriptObjectVectorHandler>(std::move(copies));
    return true;
}

bool VornScriptObjectVectorHandler::vectorsize(int64_t& size, std::string&) {
    size = static_cast<int64_t>(slots_.size());
    return true;
}

bool VornScriptObjectVectorHandler::accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                                                        std::string& error) {
    if (!checkindex(index, error)) {
        return false;
    }
    const auto position = static_cast<size_t>(index);
    while (slots_.size() <= position) {
        append(VornVectorSlot(makeref<VornScriptObject>()));
    }
    element = VornScriptObjectPtr(place(slots_[position]));
    return true;
}

bool VornScriptObjectVectorHandler::pushvectorelement(const VornScriptObjectPtr& element,
                                                      bool byreference, std::string& error) {
    // A whole number pushed by value goes straight into a slot: the copy
    // assignment would make is a fresh number value nothing else holds. A
    // text that only the caller's reference holds and that carries nothing
    // a fresh value lacks becomes the element itself, as the copy would be
    // equal to it.
    if (!byreference && element && element->getobjecttype() == VornObjectType::string) {
        const VornScriptObjectStringHandler* plain = element->plainstring();
        const bool number = plain != nullptr && plain->isnativelong() &&
                            VornVectorSlot::fits(plain->numberreading().longvalue);
        // recyclablenumber checks exactly that, for texts too.
        if (number || element->recyclablenumber() != nullptr) {
            if (!checkindex(static_cast<int64_t>(slots_.size()), error)) {
                return false;
            }
            append(number ? VornVectorSlot::ofnumber(plain->numberreading().longvalue)
                          : VornVectorSlot(element));
            return true;
        }
    }
    VornScriptObjectPtr entry;
    if (!accessvectorelement(static_cast<int64_t>(slots_.size()), entry, error)) {
        return false;
    }
    return byreference ? entry->assignreference(element, error) : entry->assign(element, error);
}

bool VornScriptObjectVectorHandler::getvectorelement(int64_t index, VornScriptObjectPtr& element,
                                                     std::string&) {
    if (index < 0 || index >= static_cast<int64_t>(slots_.size())) {
        element.reset();
        return true;
    }
    VornVectorSlot& slot = slots_[static_cast<size_t>(index)];
    element = VornScriptObjectPtr(slot.isempty() ? nullptr : place(slot));
    return true;
}

bool VornScriptObjectVectorHandler::getvectorelements(VornScriptObjectList& elements,
                                                      std::string&) {
    elements.clear();
    elements.reserve(slots_.size());
    for (const VornVectorSlot& slot : slots_) {
        elements.push_back(slot.value());
    }
    return true;
}

VornScriptObjectList VornScriptObjectVectorHandler::placeelements() {
    VornScriptObjectList elements;
    elements.reserve(slots_.size());
    for (VornVectorSlot& slot : slots_) {
        elements.emplace_back(slot.isempty() ? nullptr : place(slot));
    }
    return elements;
}

bool VornScriptObjectVectorHandler::popvectorelement(VornScriptObjectPtr& element, std::string&) {
    if (slots_.empty()) {
        element.reset();
        return true;
    }
    const VornVectorSlot& last = slots_.back();
    element = last.isempty() ? makeref<VornScriptObject>() : last.value();
    slots_.pop_back();
    return true;
}

bool VornScriptObjectVectorHandler::insertvectorelement(int64_t index,
                                                        const VornScriptObjectPtr& element,
                                                        std::string& error) {
    if (!checkindex(index, error)) {
        return false;
    }
    const auto position = static_cast<size_t>(index);
    while (slots_.size() < position) {
        append(VornVectorSlot(makeref<VornScriptObject>()));
    }
    // The object itself, as the caller may still hold it.
    slots_.insert(slots_.begin() + static_cast<std::ptrdiff_t>(position), VornVectorSlot(element));
    return true;
}

bool VornScriptObjectVectorHandler::removevectorelement(int64_t first, int64_t last, std::string&) {
    const auto size = static_cast<int64_t>(slots_.size());
    first = first < 0 ? 0 : first;
    last = last >= size ? size - 1 : last;
    if (first <= last) {
        slots_.erase(slots_.begin() + first, slots_.begin() + last + 1);
    }
    return true;
}

std::string VornScriptObjectVectorHandler::tostring() {
    std::string text;
    appendstring(text);
    return text;
}

void VornScriptObjectVectorHandler::appendstring(std::string& out) {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        out += nestedtoodeeptext;
        return;
    }
    out += '[';
    bool first = true;
    for (const VornVectorSlot& slot : slots_) {
        if (!first) {
            out += ',';
        }
        first = false;
        if (slot.isnumber()) {
            appendlongtext(out, slot.numbervalue());
        } else if (const VornScriptObject* object = slot.object()) {
            object->appendelementstring(out);
        }
    }
    out += ']';
}

void VornScriptObjectVectorHandler::appendelementstring(std::string& out) {
    appendstring(out);
}

void VornScriptObjectVectorHandler::clear() {
    slots_.clear();
}

} // namespace vornscript
