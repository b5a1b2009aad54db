// VornScriptDataHandler: the content behind a value object (a text, a vector
// or a structure) and the seam for live data of extensions. Every operation
// has a default: queries answer false, operations a live handler may lack fail
// with "<operation> not implemented", and the text forms are built generically
// from the element operations. Handlers are reference counted and may be
// shared by several value objects (reference assignment).
#pragma once

#include "support/refcounted.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vornscript {

class VornScriptObject;
class VornScriptDataHandler;
using VornScriptObjectPtr = VornRef<VornScriptObject>;
using VornScriptDataHandlerPtr = VornRef<VornScriptDataHandler>;
using VornScriptObjectList = std::vector<VornScriptObjectPtr>;

// Object types of a value object.
struct VornObjectType {
    static constexpr int32_t undefined = 0;
    static constexpr int32_t string = 1;
    static constexpr int32_t vector = 2;
    static constexpr int32_t structure = 3;
};

// Number type codes kept by string handlers beside their text.
struct VornTypeCode {
    static constexpr int32_t notset = 0; // the text decides
    static constexpr int32_t string = 1;
    static constexpr int32_t vector = 2;
    static constexpr int32_t structure = 3;
    static constexpr int32_t longnumber = 4;
    static constexpr int32_t doublenumber = 5;
};

// Cheap tag of the interpreter's own handler classes, so the value object can
// take fast paths without virtual calls; live handlers are `other`.
enum class VornHandlerKind : uint8_t { other, plainstring, plainvector, plainstructure };

class VornScriptDataHandler : public VornRefCounted {
public:
    ~VornScriptDataHandler() override = default;

    virtual bool islibrarydata() const { return false; }
    virtual bool isstructure() const { return false; }
    // True when assignment shares this handler instead of copying its content.
    virtual bool copyreference() const { return false; }
    // Deep copy keeping the handler's own class.
    virtual VornScriptDataHandlerPtr duplicate() = 0;
    // Independent copy as a plain handler of the same kind (value semantics).
    virtual bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) = 0;

    virtual bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                       std::string& error);
    virtual bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                    std::string& error);
    virtual bool getstructurefields(std::vector<std::string>& names, std::string& error);
    virtual bool insertstructuremember(const std::string& name, const VornScriptObjectPtr& member,
                                       std::string& error);
    virtual bool removestructuremember(const std::string& name, std::string& error);

    virtual void settypecode(int32_t code);
    virtual bool gettypecode(int32_t& code);

    virtual bool isvector() const { return false; }
    virtual bool vectorsize(int64_t& size, std::string& error);
    // The element at index, growing the vector as needed.
    virtual bool accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                                     std::string& error);
    virtual bool pushvectorelement(const VornScriptObjectPtr& element, bool byreference,
                                   std::string& error);
    // The element at index, or an empty result without error when outside.
    virtual bool getvectorelement(int64_t index, VornScriptObjectPtr& element, std::string& error);
    virtual bool getvectorelements(VornScriptObjectList& elements, std::string& error);
    virtual bool popvectorelement(VornScriptObjectPtr& element, std::string& error);
    virtual bool insertvectorelement(int64_t index, const VornScriptObjectPtr& element,
                                     std::string& error);
    // Removes the elements from first to last, both included.
    virtual bool removevectorelement(int64_t first, int64_t last, std::string& error);

    // Brings a number text without type code into canonical number form.
    virtual void normalize() {}

    virtual bool isstring() const { return false; }
    virtual bool getstring(std::string& text, std::string& error);
    virtual bool setstring(const std::string& text, std::string& error);

    virtual std::string debuginfo();
    virtual std::string tostring();
    // Appends the text form; plain handlers override it to avoid temporaries.
    virtual void appendstring(std::string& out);
    // The form inside a collection: strings quoted unless plain decimals.
    virtual std::string toelementstring();
    virtual void appendelementstring(std::string& out);
    // "{name: value, ...}" and "[a,b,...]" through the element operations.
    virtual std::string structuretext();
    virtual std::string vectortext();
    virtual void clear() {}

    VornHandlerKind handlerkind() const { return handlerkind_; }

protected:
    explicit VornScriptDataHandler(VornHandlerKind kind = VornHandlerKind::other)
        : handlerkind_(kind) {}
    VornScriptDataHandler(const VornScriptDataHandler&) = default;
    VornScriptDataHandler& operator=(const VornScriptDataHandler&) = default;

private:
    VornHandlerKind handlerkind_;
};

// Counts the nesting of text forms and copies through collections, which may
// contain themselves through references; beyond the limit they stop instead
// of exhausting the stack. One interpreter thread, so a plain counter.
class VornNestingGuard {
public:
    static constexpr int maximumdepth = 200;
    VornNestingGuard() { ++depth_; }
    ~VornNestingGuard() { --depth_; }
    VornNestingGuard(const VornNestingGuard&) = delete;
    VornNestingGuard& operator=(const VornNestingGuard&) = delete;
    bool toodeep() const { return depth_ > maximumdepth; }

private:
    static inline int depth_ = 0;
};

// Counts the nesting of collection releases. Releasing a collection releases
// its elements, which may be collections in turn, and through references a
// script can nest them millions deep: released recursively, such a chain
// would exhaust the native stack. A collection released beyond the limit
// parks its element objects instead; the outermost release then frees the
// parked ones one after another. One interpreter thread, so plain statics.
class VornReleaseDepth {
public:
    static constexpr int maximumdepth = 200;
    VornReleaseDepth() { ++depth_; }
    ~VornReleaseDepth() {
        if (--depth_ == 0 && anyparked_) [[unlikely]] {
            releaseparked();
        }
    }
    VornReleaseDepth(const VornReleaseDepth&) = delete;
    VornReleaseDepth& operator=(const VornReleaseDepth&) = delete;
    bool toodeep() const { return depth_ > maximumdepth; }
    // Keeps a reference to the object until the outermost release ends.
    static void park(VornScriptObject* object);

private:
    static void releaseparked();
    static inline int depth_ = 0;
    static inline bool anyparked_ = false;
};
// Written in place of a text form nested beyond the limit.
inline constexpr const char* nestedtoodeeptext = "...";
// Message of a copy nested beyond the limit.
inline constexpr const char* nestedtoodeepmessage = "collection nested too deeply";

// Appends the element form of a text: bare when a plain decimal number, else
// in single quotes with quotes, backslashes and control bytes escaped.
void appendelementtext(std::string& out, const std::string& text);

// Appends a structure member name: bare when it is non-empty and made of
// ASCII letters, digits and "_", else quoted like an element text.
void appendmembername(std::string& out, const std::string& name);

} // namespace vornscript
