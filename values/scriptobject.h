// VornScriptObject: the one value type of the interpreter. A thin object: an
// object type (undefined, string, vector, structure), a name, the l-value and
// const flags and a shared data handler holding the content. Numbers are
// string values with a number type code. The number queries and readings are
// inline and go straight to the plain string handler (tagged by its handler
// kind) without virtual calls; other handlers take the general path. Objects
// are recycled through a per-thread free list (support/freelistpool.h).
#pragma once

#include "values/datahandler.h"
#include "values/stringhandler.h"

#include "support/freelistpool.h"
#include "support/shortbytes.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vornscript {

class VornScriptObject final : public VornRefCounted, public VornPooled<VornScriptObject> {
public:
    // An undefined value.
    VornScriptObject() = default;
    // A value sharing the handler; the object type follows the handler's
    // queries (structure, else vector, else string).
    explicit VornScriptObject(VornScriptDataHandlerPtr handler);
    // A string value on a plain string handler, its object type known
    // without asking the handler: the maker of every computed number value.
    struct PlainString {};
    VornScriptObject(PlainString, VornScriptObjectStringHandlerPtr&& handler)
        : objecttype_(VornObjectType::string), handler_(std::move(handler)) {}

    // Deep copy of the content (the handler's duplicate); empty when undefined.
    VornScriptDataHandlerPtr duplicate() const;
    bool islibrarydata() const;
    bool copyreference() const;
    void settypecode(int32_t code);
    int32_t gettypecode() const;

    bool vectorsize(int64_t& size, std::string& error) const;
    bool accessvectorelement(int64_t index, VornScriptObjectPtr& element, std::string& error);
    bool getvectorelement(int64_t index, VornScriptObjectPtr& element, std::string& error) const;
    bool getvectorelements(VornScriptObjectList& elements, std::string& error) const;
    bool pushvectorelement(const VornScriptObjectPtr& element, bool byreference,
                           std::string& error);
    bool popvectorelement(VornScriptObjectPtr& element, std::string& error);
    bool insertvectorelement(int64_t index, const VornScriptObjectPtr& element, std::string& error);
    bool removevectorelement(int64_t first, int64_t last, std::string& error);

    bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                               std::string& error);
    bool getstructurefields(std::vector<std::string>& names, std::string& error) const;
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string& error) const;
    bool insertstructuremember(const std::string& name, const VornScriptObjectPtr& member,
                               std::string& error);
    bool removestructuremember(const std::string& name, std::string& error);

    void normalize();
    // "OBJECT TYPE=... L-VALUE NAME=... data=0x... <handler debug text>".
    std::string getdebuginfo() const;
    // Text form; undefined gives "".
    std::string tostring() const;
    void appendstring(std::string& out) const;
    // Form inside a collection (strings quoted unless plain decimals).
    std::string toelementstring() const;
    void appendelementstring(std::string& out) const;
    bool istrue() const;
    bool isnull() const { return objecttype_ == VornObjectType::undefined; }

    // Number queries: type codes 4 and 5 are numbers, 1 to 3 are not, with
    // code 0 the text decides.
    bool isnumber() const;
    bool islong() const;
    bool isdouble() const;
    // Reads the value as a whole number (the integer reading only); false
    // when it is none. No type code check and no message.
    bool readlong(int64_t& value) const;
    // Reads the value as a floating number (any number reading); false when
    // it is none.
    bool readdouble(double& value) const;
    // The full reading of a string value's content; kind none otherwise.
    VornNumberReading readnumber() const;

    bool islvalue() const { return lvalue_; }
    void setlvalue(bool lvalue) { lvalue_ = lvalue; }
    bool isconst() const { return const_; }
    void setconst(bool isconst) { const_ = isconst; }
    const std::string& getname() const { return name_; }
    // A bound variable's name comes from the symbol table or a parameter:
    // copied in place, without a temporary.
    void setname(const std::string& name) {
        name_ = name;
        renamed();
    }
    void setname(std::string&& name) {
        name_ = std::move(name);
        renamed();
    }
    // Names a member or element "<parent name><open><key><close>" ("s.x",
    // "v[3]"; close 0 for none). An element reached the same way again keeps
    // its name: while the parent keeps the name it had then, only the key is
    // compared, else the whole name, and a text is built only when it differs.
    void setpathname(const VornScriptObject& parent, char open, std::string_view key, char close) {
        const size_t keyat = parent.name_.size() + 1;
        if (parent.namestamp_ != 0 && pathparent_ == parent.namestamp_ &&
            name_.size() == keyat + key.size() + (close != 0 ? 1 : 0) && name_[keyat - 1] == open &&
            (close == 0 || name_.back() == close) &&
            samebytes(name_.data() + keyat, key.data(), key.size())) {
            return;
        }
        setpathnameslow(parent, open, key, close);
    }
    // setpathname(parent, '[', <decimal position>, ']') for a whole-number
    // index: the usual case, the element reached again under the same parent
    // name and position, compares two numbers and writes no digits.
    void setelementname(const VornScriptObject& parent, int64_t position) {
        if (parent.namestamp_ != 0 && pathparent_ == parent.namestamp_ &&
            pathposition_ == static_cast<uint64_t>(position) + 1) {
            return;
        }
        setelementnameslow(parent, position);
    }

    const VornScriptDataHandlerPtr& getdatahandler() const { return handler_; }
    void setnull();
    const VornScriptObjectPtr& getreferenced() const { return referenced_; }
    void setreferenced(const VornScriptObjectPtr& referenced) { referenced_ = referenced; }
    void clearreferenced();

    // Const check, then the text into the string handler (created if none).
    bool setstring(const std::string& text, std::string& error);
    // In-place number results (like assign of a new number value, without
    // allocating one when the handler is a plain string).
    bool setlong(int64_t value, std::string& error);
    bool setdouble(double value, std::string& error);
    bool setdouble(VornSnappedDouble value, std::string& error);
    // Number maker: a whole double is stored as a long.
    bool setnumber(double value, std::string& error);

    bool assign(const VornScriptObjectPtr& source, std::string& error);
    bool assignreference(const VornScriptObjectPtr& source, std::string& error);
    int32_t getobjecttype() const { return objecttype_; }
    VornScriptObject* getobject() { return this; }

    // The plain string handler behind this value, or nullptr.
    VornScriptObjectStringHandler* plainstring() const {
        VornScriptDataHandler* handler = handler_.get();
        return (handler != nullptr && handler->handlerkind() == VornHandlerKind::plainstring)
                   ? static_cast<VornScriptObjectStringHandler*>(handler)
                   : nullptr;
    }

    // The plain string handler of a temporary that an operation may overwrite
    // with its result (a number, or a text it extends) instead of making a
    // new value: this value and its handler are held once (by the caller
    // alone) and carry nothing a fresh number lacks (a name, the const mark,
    // a reference link). The l-value flag is reset as a fresh value has it;
    // nullptr otherwise.
    VornScriptObjectStringHandler* recyclablenumber();

private:
    // General paths for handlers other than the plain string.
    bool needshandler(int32_t objecttype, std::string& error) const;
    VornNumberReading readnumberslow() const;
    int32_t numbertypecode() const;
    bool checknotconst(std::string& error) const;
    void takenumber(VornScriptObjectStringHandlerPtr handler);
    void setpathnameslow(const VornScriptObject& parent, char open, std::string_view key,
                         char close);
    void setelementnameslow(const VornScriptObject& parent, int64_t position);
    // The name changed: its stamp (if any) and what it was made from are gone.
    void renamed() {
        namestamp_ = 0;
        pathparent_ = 0;
    }

    VornScriptObjectPtr referenced_;
    int32_t objecttype_ = VornObjectType::undefined;
    std::string name_;
    // A stamp stands for one name of one object: it is given (never used
    // before) when the object first parents a path name under its current
    // name, and dropped (0) when the name changes. A path name remembers the
    // parent's stamp (0: none) and the position + 1 of a whole-number index
    // (0: none): while the parent carries the same stamp, its name is the
    // same, so the path name needs only its key compared. All start at 0, so
    // a new object initialises them together.
    mutable uint64_t namestamp_ = 0;
    uint64_t pathparent_ = 0;
    uint64_t pathposition_ = 0;
    VornScriptDataHandlerPtr handler_;
    bool lvalue_ = true;
    bool const_ = false;
};

// Value makers (the constructors of the language's values).
VornScriptObjectPtr makeundefinedvalue();
// Type 1: empty text, 2: empty vector, 3: empty structure, 0: undefined.
VornScriptObjectPtr makevalueoftype(int32_t objecttype);
VornScriptObjectPtr makestringvalue(std::string text, int32_t typecode = VornTypeCode::notset);
VornScriptObjectPtr makelongvalue(int64_t value);
VornScriptObjectPtr makedoublevalue(double value);
VornScriptObjectPtr makedoublevalue(VornSnappedDouble value);
// Number maker: a double equal to its truncation becomes a long.
VornScriptObjectPtr makenumbervalue(double value);
// "1" or "0", type code long.
VornScriptObjectPtr makeboolvalue(bool value);
VornScriptObjectPtr makehandlervalue(const VornScriptDataHandlerPtr& handler);

// ---- inline fast paths ----

inline bool VornScriptObject::isnumber() const {
    if (const VornScriptObjectStringHandler* text = plainstring()) {
        const int32_t code = text->typecode();
        if (code != VornTypeCode::notset) {
            return code == VornTypeCode::longnumber || code == VornTypeCode::doublenumber;
        }
        const VornNumberKind kind = text->numberreading().kind;
        return kind == VornNumberKind::integer || kind == VornNumberKind::decimal;
    }
    const int32_t code = numbertypecode();
    return code == VornTypeCode::longnumber || code == VornTypeCode::doublenumber;
}

inline bool VornScriptObject::islong() const {
    if (const VornScriptObjectStringHandler* text = plainstring()) {
        const int32_t code = text->typecode();
        if (code != VornTypeCode::notset) {
            return code == VornTypeCode::longnumber;
        }
        return text->numberreading().kind == VornNumberKind::integer;
    }
    return numbertypecode() == VornTypeCode::longnumber;
}

inline bool VornScriptObject::isdouble() const {
    if (const VornScriptObjectStringHandler* text = plainstring()) {
        const int32_t code = text->typecode();
        if (code != VornTypeCode::notset) {
            return code == VornTypeCode::doublenumber;
        }
        return text->numberreading().kind == VornNumberKind::decimal;
    }
    return numbertypecode() == VornTypeCode::doublenumber;
}

inline VornScriptObjectStringHandler* VornScriptObject::recyclablenumber() {
    VornScriptObjectStringHandler* plain = plainstring();
    if (plain == nullptr || refcount() != 1 || plain->refcount() != 1 || const_ || referenced_ ||
        !name_.empty()) {
        return nullptr;
    }
    lvalue_ = true;
    return plain;
}

inline VornNumberReading VornScriptObject::readnumber() const {
    if (const VornScriptObjectStringHandler* text = plainstring()) {
        return text->numberreading();
    }
    return readnumberslow();
}

// Both read the plain handler's cached reading in place: copying the whole
// reading costs more than the arithmetic on it.
inline bool VornScriptObject::readlong(int64_t& value) const {
    if (const VornScriptObjectStringHandler* text = plainstring()) {
        const VornNumberReading& reading = text->numberreading();
        value = reading.longvalue;
        return reading.kind == VornNumberKind::integer;
    }
    const VornNumberReading reading = readnumberslow();
    value = reading.longvalue;
    return reading.kind == VornNumberKind::integer;
}

inline bool VornScriptObject::readdouble(double& value) const {
    if (const VornScriptObjectStringHandler* text = plainstring()) {
        const VornNumberReading& reading = text->numberreading();
        value = reading.doublevalue;
        return reading.kind != VornNumberKind::none;
    }
    const VornNumberReading reading = readnumberslow();
    value = reading.doublevalue;
    return reading.kind != VornNumberKind::none;
}

} // namespace vornscript
