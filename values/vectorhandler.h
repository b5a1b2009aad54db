// Vector handlers: the abstract base for list-like live data and the plain
// vector. An entry may be empty (reads as undefined); accessing an index past
// the end grows the vector with undefined values, so scripts can assign to any
// non-negative index. The plain vector keeps a whole number that nothing else
// refers to inline in its slot instead of as a value object with a text
// handler (a tenth of the memory); such a slot becomes a value object again
// when the element is reached as a place (an l-value, a loop variable).
#pragma once

#include "values/datahandler.h"
#include "values/scriptobject.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace vornscript {

class VornScriptObjectVectorHandlerAbstractBase : public VornScriptDataHandler {
public:
    bool isvector() const override { return true; }
    // A plain vector holding independent copies of the elements.
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    std::string debuginfo() override;
    std::string tostring() override;
    void clear() override;

protected:
    using VornScriptDataHandler::VornScriptDataHandler;
};

// One place of the plain vector in 8 bytes: empty, a value object it holds a
// reference to, or a whole number tagged by the low bit (objects are at
// least 2-byte aligned). An inline number stands for a fresh, unnamed,
// assignable number value that nothing else holds.
class VornVectorSlot {
public:
    VornVectorSlot() = default;
    explicit VornVectorSlot(VornScriptObjectPtr object) noexcept
        : bits_(reinterpret_cast<uintptr_t>(object.detach())) {}
    VornVectorSlot(const VornVectorSlot& other) noexcept : bits_(other.bits_) {
        if (VornScriptObject* held = object()) {
            held->addref();
        }
    }
    VornVectorSlot(VornVectorSlot&& other) noexcept : bits_(std::exchange(other.bits_, 0)) {}
    VornVectorSlot& operator=(VornVectorSlot other) noexcept {
        std::swap(bits_, other.bits_);
        return *this;
    }
    ~VornVectorSlot() {
        if (VornScriptObject* held = object()) {
            held->release();
        }
    }

    // The whole numbers that fit beside the tag bit.
    static bool fits(int64_t value) {
        return value >= -(int64_t{1} << 62) && value < (int64_t{1} << 62);
    }
    static VornVectorSlot ofnumber(int64_t value) {
        VornVectorSlot slot;
        slot.bits_ = (static_cast<uintptr_t>(value) << 1) | 1U;
        return slot;
    }

    bool isempty() const { return bits_ == 0; }
    bool isnumber() const { return (bits_ & 1U) != 0; }
    int64_t numbervalue() const { return static_cast<int64_t>(bits_) >> 1; }
    // The held object; nullptr for an empty or number slot.
    VornScriptObject* object() const {
        return isnumber() ? nullptr : reinterpret_cast<VornScriptObject*>(bits_);
    }
    // The element as a value: the held object itself, a new number value for
    // an inline number, empty for an empty slot.
    VornScriptObjectPtr value() const {
        return isnumber() ? makelongvalue(numbervalue()) : VornScriptObjectPtr(object());
    }

private:
    static_assert(sizeof(uintptr_t) == sizeof(int64_t), "a slot holds a pointer or a number");
    uintptr_t bits_ = 0;
};
using VornVectorSlots = std::vector<VornVectorSlot>;

// The slot for an element object that only [element] holds: an inline number
// when it is a plain whole number, else the object.
VornVectorSlot makeelementslot(VornScriptObjectPtr element);
// The slot of an independent copy of an element (copyelementvalue).
VornVectorSlot copyelementslot(const VornVectorSlot& slot);

class VornScriptObjectVectorHandler final : public VornScriptObjectVectorHandlerAbstractBase {
public:
    VornScriptObjectVectorHandler();
    // Elements that only the list holds and that are plain whole numbers are
    // stored inline.
    explicit VornScriptObjectVectorHandler(VornScriptObjectList elements);
    explicit VornScriptObjectVectorHandler(VornVectorSlots slots);
    // Releases the elements within a VornReleaseDepth.
    ~VornScriptObjectVectorHandler() override;

    VornScriptDataHandlerPtr duplicate() override;
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    bool vectorsize(int64_t& size, std::string& error) override;
    // The element's value object, put into its slot first when the slot holds
    // an inline number, so changes through it change the vector.
    bool accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                             std::string& error) override;
    // By value, a plain text held by [element] alone (a temporary) is taken
    // over as the element instead of copied: the caller drops it unchanged.
    bool pushvectorelement(const VornScriptObjectPtr& element, bool byreference,
                           std::string& error) override;
    // Like accessvectorelement within the size (the element may be bound by
    // reference, as a loop variable is); empty outside it.
    bool getvectorelement(int64_t index, VornScriptObjectPtr& element, std::string& error) override;
    // For readers: the held objects, and new number values for inline
    // numbers that stay inline.
    bool getvectorelements(VornScriptObjectList& elements, std::string& error) override;
    bool popvectorelement(VornScriptObjectPtr& element, std::string& error) override;
    bool insertvectorelement(int64_t index, const VornScriptObjectPtr& element,
                             std::string& error) override;
    bool removevectorelement(int64_t first, int64_t last, std::string& error) override;
    std::string tostring() override;
    void appendstring(std::string& out) override;
    void appendelementstring(std::string& out) override;
    void clear() override;

    // The slots, for readers that take inline numbers directly.
    const VornVectorSlots& slots() const { return slots_; }
    // The element at an index within the size as accessvectorelement gives
    // it (a held object directly, an inline number or empty slot put first).
    VornScriptObject* placeat(size_t index) {
        VornVectorSlot& slot = slots_[index];
        VornScriptObject* held = slot.object();
        return held != nullptr ? held : place(slot);
    }
    // The elements as their value objects, each put into its slot, for
    // callers that hand them on as places (changes reach the vector).
    VornScriptObjectList placeelements();

private:
    VornScriptObject* place(VornVectorSlot& slot);
    void append(VornVectorSlot slot);

    VornVectorSlots slots_;
};
using VornScriptObjectVectorHandlerPtr = VornRef<VornScriptObjectVectorHandler>;

} // namespace vornscript
