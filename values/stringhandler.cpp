// The text handlers: abstract string base, plain string handler with native
// number storage, and the abstract base for integer live data.
#include "values/stringhandler.h"

#include <cmath>
#include <utility>

namespace vornscript {

bool VornScriptObjectStringHandlerAbstractBase::castrvalue(VornScriptDataHandlerPtr& result,
                                                           std::string& error) {
    std::string text;
    int32_t code = VornTypeCode::notset;
    if (!getstring(text, error) || !gettypecode(code)) {
        return false;
    }
    result = makeref<VornScriptObjectStringHandler>(std::move(text), code);
    return true;
}

std::string VornScriptObjectStringHandlerAbstractBase::tostring() {
    std::string text;
    std::string error;
    getstring(text, error);
    return text;
}

void VornScriptObjectStringHandlerAbstractBase::clear() {
    std::string error;
    setstring(std::string(), error);
    settypecode(VornTypeCode::notset);
}

VornScriptObjectStringHandler::VornScriptObjectStringHandler(std::string text, int32_t typecode)
    : VornScriptObjectStringHandlerAbstractBase(VornHandlerKind::plainstring), typecode_(typecode),
      text_(std::move(text)) {}

VornRef<VornScriptObjectStringHandler> VornScriptObjectStringHandler::makedouble(double value) {
    return makedouble(VornSnappedDouble{snapdouble(value)});
}

VornRef<VornScriptObjectStringHandler>
VornScriptObjectStringHandler::makedouble(VornSnappedDouble value) {
    auto handler = makeref<VornScriptObjectStringHandler>();
    handler->setdouble(value);
    return handler;
}

void VornScriptObjectStringHandler::setlong(int64_t value) {
    typecode_ = VornTypeCode::longnumber;
    storage_ = Storage::nativelong;
    reading_ = VornNumberReading{VornNumberKind::integer, value, static_cast<double>(value)};
    readingvalid_ = true;
    textvalid_ = false;
    normalized_ = true;
}

void VornScriptObjectStringHandler::setdouble(double value) {
    setdouble(VornSnappedDouble{snapdouble(value)});
}

void VornScriptObjectStringHandler::setdouble(VornSnappedDouble snapped) {
    const double value = snapped.value;
    typecode_ = VornTypeCode::doublenumber;
    storage_ = Storage::nativedouble;
    // The reading of the six-decimal text: "8.000000" reads as the whole
    // number 8, "nan" as no number at all.
    int64_t whole = 0;
    if (doubleiswhole(value, whole)) {
        reading_ = VornNumberReading{VornNumberKind::integer, whole, value};
    } else if (std::isfinite(value)) {
        reading_ = VornNumberReading{VornNumberKind::decimal, 0, value};
    } else {
        reading_ = VornNumberReading{VornNumberKind::none, 0, value};
    }
    readingvalid_ = true;
    textvalid_ = false;
    normalized_ = true;
}

void VornScriptObjectStringHandler::settext(std::string text) {
    text_ = std::move(text);
    storage_ = Storage::text;
    textvalid_ = true;
    readingvalid_ = false;
    normalized_ = false;
}

std::string& VornScriptObjectStringHandler::extendabletext(int32_t typecode) {
    if (!textvalid_) {
        formattext();
    }
    typecode_ = typecode;
    storage_ = Storage::text;
    readingvalid_ = false;
    normalized_ = false;
    return text_;
}

void VornScriptObjectStringHandler::copyfrom(const VornScriptObjectStringHandler& other) {
    if (&other == this) {
        return;
    }
    typecode_ = other.typecode_;
    storage_ = other.storage_;
    textvalid_ = other.textvalid_;
    readingvalid_ = other.readingvalid_;
    normalized_ = other.normalized_;
    reading_ = other.reading_;
    if (textvalid_) {
        text_ = other.text_;
    }
}

bool VornScriptObjectStringHandler::readbool(bool& value) const {
    if (storage_ == Storage::text || textvalid_) {
        return readbooltext(text_, value);
    }
    // A computed number is a boolean word only when its text is whole.
    if (reading_.kind != VornNumberKind::integer) {
        return false;
    }
    value = reading_.longvalue != 0;
    return true;
}

void VornScriptObjectStringHandler::formattext() const {
    text_.clear();
    if (storage_ == Storage::nativelong) {
        appendlongtext(text_, reading_.longvalue);
    } else {
        appenddoubletext(text_, reading_.doublevalue);
    }
    textvalid_ = true;
}

VornScriptDataHandlerPtr VornScriptObjectStringHandler::duplicate() {
    return VornScriptDataHandlerPtr(new VornScriptObjectStringHandler(*this));
}

bool VornScriptObjectStringHandler::castrvalue(VornScriptDataHandlerPtr& result, std::string&) {
    result = duplicate();
    return true;
}

void VornScriptObjectStringHandler::settypecode(int32_t code) {
    typecode_ = code;
}

bool VornScriptObjectStringHandler::gettypecode(int32_t& code) {
    code = typecode_;
    return true;
}

void VornScriptObjectStringHandler::normalize() {
    if (typecode_ != VornTypeCode::notset || normalized_) {
        return;
    }
    normalized_ = true;
    if (numberreading().kind == VornNumberKind::none) {
        return;
    }
    std::string canonical = canonicalnumbertext(text(), reading_);
    if (canonical != text_) {
        // Same number, so the cached reading stays valid.
        text_ = std::move(canonical);
        storage_ = Storage::text;
    }
}

bool VornScriptObjectStringHandler::getstring(std::string& text, std::string&) {
    text = this->text();
    return true;
}

bool VornScriptObjectStringHandler::setstring(const std::string& text, std::string&) {
    settext(text);
    return true;
}

std::string VornScriptObjectStringHandler::tostring() {
    return text();
}

void VornScriptObjectStringHandler::appendstring(std::string& out) {
    if (textvalid_) {
        out += text_;
    } else if (storage_ == Storage::nativelong) {
        appendlongtext(out, reading_.longvalue);
    } else {
        appenddoubletext(out, reading_.doublevalue);
    }
}

void VornScriptObjectStringHandler::appendelementstring(std::string& out) {
    if (!textvalid_ && reading_.kind != VornNumberKind::none) {
        // Computed finite numbers are plain decimals: written bare.
        appendstring(out);
        return;
    }
    appendelementtext(out, text());
}

void VornScriptObjectStringHandler::clear() {
    settext(std::string());
    typecode_ = VornTypeCode::notset;
}

bool VornScriptObjectLongHandlerAbstractBase::gettypecode(int32_t& code) {
    code = VornTypeCode::longnumber;
    return true;
}

bool VornScriptObjectLongHandlerAbstractBase::getstring(std::string& text, std::string& error) {
    int64_t value = 0;
    if (!getlongvalue(value, error)) {
        return false;
    }
    text = longtext(value);
    return true;
}

bool VornScriptObjectLongHandlerAbstractBase::setstring(const std::string& text,
                                                        std::string& error) {
    const VornNumberReading reading = readnumbertext(text);
    if (reading.kind != VornNumberKind::integer) {
        error = "integer value expected";
        return false;
    }
    return setlongvalue(reading.longvalue, error);
}

} // namespace vornscript
