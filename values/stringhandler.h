// Text handlers: the abstract base for text-like live data, the plain string
// handler behind every text and number value, and the abstract base for
// integer live data. The plain handler keeps a computed number natively (a
// long as int64, a double as double snapped to its six-decimal text) and
// writes its text only when asked, caching it; a text of a literal or script
// keeps its source text and caches its number reading, computed once.
#pragma once

#include "values/datahandler.h"
#include "values/numbers.h"

#include "support/freelistpool.h"

namespace vornscript {

class VornScriptObjectStringHandlerAbstractBase : public VornScriptDataHandler {
public:
    bool isstring() const override { return true; }
    // A plain string handler holding the current text and type code.
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    std::string tostring() override;
    void clear() override;

protected:
    using VornScriptDataHandler::VornScriptDataHandler;
};

// Recycled through a per-thread free list: one is made for every computed number.
class VornScriptObjectStringHandler final : public VornScriptObjectStringHandlerAbstractBase,
                                            public VornPooled<VornScriptObjectStringHandler> {
public:
    // Text with a type code (0: the text decides).
    explicit VornScriptObjectStringHandler(std::string text = std::string(),
                                           int32_t typecode = VornTypeCode::notset);
    // A computed whole number, made in place as setlong leaves it: one is
    // made for every computed number that becomes a value.
    struct NativeLong {
        int64_t value;
    };
    explicit VornScriptObjectStringHandler(NativeLong number)
        : VornScriptObjectStringHandlerAbstractBase(VornHandlerKind::plainstring),
          typecode_(VornTypeCode::longnumber), storage_(Storage::nativelong), textvalid_(false),
          readingvalid_(true), normalized_(true), reading_{VornNumberKind::integer, number.value,
                                                           static_cast<double>(number.value)} {}
    static VornRef<VornScriptObjectStringHandler> makelong(int64_t value) {
        return makeref<VornScriptObjectStringHandler>(NativeLong{value});
    }
    // The double is stored snapped to the value of its six-decimal text.
    static VornRef<VornScriptObjectStringHandler> makedouble(double value);
    static VornRef<VornScriptObjectStringHandler> makedouble(VornSnappedDouble value);

    VornScriptDataHandlerPtr duplicate() override;
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    void settypecode(int32_t code) override;
    bool gettypecode(int32_t& code) override;
    void normalize() override;
    bool getstring(std::string& text, std::string& error) override;
    bool setstring(const std::string& text, std::string& error) override;
    std::string tostring() override;
    void appendstring(std::string& out) override;
    void appendelementstring(std::string& out) override;
    void clear() override;

    // Fast accessors for the value object; no virtual calls.
    int32_t typecode() const { return typecode_; }
    // The number reading of the content (native numbers without parsing).
    const VornNumberReading& numberreading() const {
        if (!readingvalid_) {
            reading_ = readnumbertext(text_);
            readingvalid_ = true;
        }
        return reading_;
    }
    // The text, formatted and cached on first use for native numbers.
    const std::string& text() const {
        if (!textvalid_) {
            formattext();
        }
        return text_;
    }
    // A computed whole number (native storage, long type code): makelong of
    // its value gives an equal handler.
    bool isnativelong() const {
        return storage_ == Storage::nativelong && typecode_ == VornTypeCode::longnumber;
    }
    // Boolean reading without formatting a computed number.
    bool readbool(bool& value) const;
    void setlong(int64_t value);
    void setdouble(double value);
    void setdouble(VornSnappedDouble value);
    void settext(std::string text);
    // The text to extend in place, as settext of a longer text would leave
    // it: a computed number is written out first, and the value then holds a
    // text with [typecode] whose number reading is made again when asked.
    std::string& extendabletext(int32_t typecode);
    // Takes over content and type code of another plain string handler.
    void copyfrom(const VornScriptObjectStringHandler& other);

private:
    VornScriptObjectStringHandler(const VornScriptObjectStringHandler&) = default;
    void formattext() const;

    enum class Storage : uint8_t { text, nativelong, nativedouble };

    int32_t typecode_;
    // A computed number is kept in reading_; its text is made on demand.
    Storage storage_ = Storage::text;
    // For a native number: the text_ cache holds its text. For a text: always.
    mutable bool textvalid_ = true;
    // reading_ is computed (native numbers set it directly).
    mutable bool readingvalid_ = false;
    // The text is already in canonical form; normalize has nothing to do.
    bool normalized_ = false;
    mutable VornNumberReading reading_;
    mutable std::string text_;
};
using VornScriptObjectStringHandlerPtr = VornRef<VornScriptObjectStringHandler>;

// Base for integer live data (a clock, a counter): subclasses read and write
// the 64-bit integer; text access converts through them.
class VornScriptObjectLongHandlerAbstractBase : public VornScriptObjectStringHandlerAbstractBase {
public:
    virtual bool getlongvalue(int64_t& value, std::string& error) = 0;
    virtual bool setlongvalue(int64_t value, std::string& error) = 0;

    bool gettypecode(int32_t& code) override;
    bool getstring(std::string& text, std::string& error) override;
    // The text must read as a whole number, else "integer value expected".
    bool setstring(const std::string& text, std::string& error) override;

protected:
    using VornScriptObjectStringHandlerAbstractBase::VornScriptObjectStringHandlerAbstractBase;
};

} // namespace vornscript
