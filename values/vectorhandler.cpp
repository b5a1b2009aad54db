// Abstract vector base and the plain vector handler.
#include "values/vectorhandler.h"

#include "values/conversions.h"
#include "values/scriptobject.h"

#include <utility>

namespace vornscript {

namespace {

// Growing beyond this many entries is refused instead of exhausting memory.
constexpr int64_t maximumvectorsize = int64_t{1} << 28;

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

VornScriptObjectVectorHandler::VornScriptObjectVectorHandler()
    : VornScriptObjectVectorHandlerAbstractBase(VornHandlerKind::plainvector) {}

VornScriptObjectVectorHandler::VornScriptObjectVectorHandler(VornScriptObjectList elements)
    : VornScriptObjectVectorHandlerAbstractBase(VornHandlerKind::plainvector),
      elements_(std::move(elements)) {}

VornScriptDataHandlerPtr VornScriptObjectVectorHandler::duplicate() {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        return VornScriptDataHandlerPtr();
    }
    VornScriptObjectList copies;
    copies.reserve(elements_.size());
    for (const VornScriptObjectPtr& element : elements_) {
        copies.push_back(element ? makeref<VornScriptObject>(element->duplicate())
                                 : VornScriptObjectPtr());
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
    VornScriptObjectList copies;
    copies.reserve(elements_.size());
    for (const VornScriptObjectPtr& element : elements_) {
        copies.push_back(copyelementvalue(element));
    }
    result = makeref<VornScriptObjectVectorHandler>(std::move(copies));
    return true;
}

bool VornScriptObjectVectorHandler::vectorsize(int64_t& size, std::string&) {
    size = static_cast<int64_t>(elements_.size());
    return true;
}

bool VornScriptObjectVectorHandler::accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                                                        std::string& error) {
    if (!checkindex(index, error)) {
        return false;
    }
    const auto position = static_cast<size_t>(index);
    while (elements_.size() <= position) {
        elements_.push_back(makeref<VornScriptObject>());
    }
    VornScriptObjectPtr& entry = elements_[position];
    if (!entry) {
        entry = makeref<VornScriptObject>();
    }
    element = entry;
    return true;
}

bool VornScriptObjectVectorHandler::pushvectorelement(const VornScriptObjectPtr& element,
                                                      bool byreference, std::string& error) {
    VornScriptObjectPtr entry;
    if (!accessvectorelement(static_cast<int64_t>(elements_.size()), entry, error)) {
        return false;
    }
    return byreference ? entry->assignreference(element, error) : entry->assign(element, error);
}

bool VornScriptObjectVectorHandler::getvectorelement(int64_t index, VornScriptObjectPtr& element,
                                                     std::string&) {
    if (index >= 0 && index < static_cast<int64_t>(elements_.size())) {
        element = elements_[static_cast<size_t>(index)];
    } else {
        element.reset();
    }
    return true;
}

bool VornScriptObjectVectorHandler::getvectorelements(VornScriptObjectList& elements,
                                                      std::string&) {
    elements = elements_;
    return true;
}

bool VornScriptObjectVectorHandler::popvectorelement(VornScriptObjectPtr& element, std::string&) {
    if (elements_.empty()) {
        element.reset();
        return true;
    }
    element = elements_.back() ? std::move(elements_.back()) : makeref<VornScriptObject>();
    elements_.pop_back();
    return true;
}

bool VornScriptObjectVectorHandler::insertvectorelement(int64_t index,
                                                        const VornScriptObjectPtr& element,
                                                        std::string& error) {
    if (!checkindex(index, error)) {
        return false;
    }
    const auto position = static_cast<size_t>(index);
    while (elements_.size() < position) {
        elements_.push_back(makeref<VornScriptObject>());
    }
    elements_.insert(elements_.begin() + static_cast<std::ptrdiff_t>(position), element);
    return true;
}

bool VornScriptObjectVectorHandler::removevectorelement(int64_t first, int64_t last, std::string&) {
    const auto size = static_cast<int64_t>(elements_.size());
    first = first < 0 ? 0 : first;
    last = last >= size ? size - 1 : last;
    if (first <= last) {
        elements_.erase(elements_.begin() + first, elements_.begin() + last + 1);
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
    for (const VornScriptObjectPtr& element : elements_) {
        if (!first) {
            out += ',';
        }
        first = false;
        if (element) {
            element->appendelementstring(out);
        }
    }
    out += ']';
}

void VornScriptObjectVectorHandler::appendelementstring(std::string& out) {
    appendstring(out);
}

void VornScriptObjectVectorHandler::clear() {
    elements_.clear();
}

} // namespace vornscript
