// Byte buffers: a text variable whose bytes are read and written as numbers
// 0 to 255. Writes stay inside the current text (they never extend it) and
// go through the variable's setstring, so const checks and live text
// handlers apply as for any assignment.
#include "sysfunctions/collectionfunctions.h"

#include "interpreter/raise.h"
#include "sysfunctions/collectionsupport.h"
#include "values/conversions.h"

#include <string>

namespace vornscript {

namespace {

// The buffer argument: a text held by a variable. [message] is the
// function's own "requires a reference to a string buffer" text.
bool bufferargument(VornSystemCall& call, const char* message) {
    const VornScriptObjectPtr& buffer = call.arguments[0];
    if (!isboundtovariable(buffer) || buffer->getobjecttype() != VornObjectType::string) {
        return failcall(call, interpretermessage(message));
    }
    return true;
}

// A whole number argument within [minimum, maximum].
bool numberargument(const VornScriptObjectPtr& argument, int64_t minimum, int64_t maximum,
                    int64_t& value) {
    std::string error;
    return getlong(argument, value, error) && value >= minimum && value <= maximum;
}

// The buffer's text without copying it when a plain string holds it.
const std::string& buffertext(const VornScriptObjectPtr& buffer, std::string& copy) {
    if (const VornScriptObjectStringHandler* plain = buffer->plainstring()) {
        return plain->text();
    }
    copy = buffer->tostring();
    return copy;
}

int64_t textsize(const std::string& text) {
    return static_cast<int64_t>(text.size());
}

bool buffergetbyte(VornSystemCall& call) {
    if (!bufferargument(call, "buffergetbyte(&buffer,pos) requires a reference to a string "
                              "buffer as first argument")) {
        return false;
    }
    std::string copy;
    const std::string& text = buffertext(call.arguments[0], copy);
    int64_t position = 0;
    if (!numberargument(call.arguments[1], 0, textsize(text) - 1, position)) {
        return failcall(call,
                        interpretermessage("invalid pos argument in buffergetbyte(&buffer,pos)"));
    }
    call.result = makelongvalue(static_cast<unsigned char>(text[static_cast<size_t>(position)]));
    return true;
}

// Writes [count] bytes of [value] from [position] into the buffer variable.
bool fillbuffer(VornSystemCall& call, std::string text, int64_t position, int64_t count,
                int64_t value) {
    text.replace(static_cast<size_t>(position), static_cast<size_t>(count),
                 static_cast<size_t>(count), static_cast<char>(value));
    if (!call.arguments[0]->setstring(text, call.error)) {
        return false;
    }
    call.result = makeundefinedvalue();
    return true;
}

bool buffersetbyte(VornSystemCall& call) {
    if (!bufferargument(call, "buffersetbyte(&buffer,pos,value) requires a reference to a string "
                              "buffer as first argument")) {
        return false;
    }
    std::string text = call.arguments[0]->tostring();
    int64_t position = 0;
    int64_t value = 0;
    if (!numberargument(call.arguments[1], 0, textsize(text) - 1, position)) {
        return failcall(
            call, interpretermessage("invalid pos argument in buffersetbyte(&buffer,pos,value)"));
    }
    if (!numberargument(call.arguments[2], 0, 255, value)) {
        return failcall(call,
                        interpretermessage("invalid value argument in "
                                           "buffersetbyte(&buffer,pos,value) should be 0-255"));
    }
    return fillbuffer(call, std::move(text), position, 1, value);
}

bool bufferfillbytes(VornSystemCall& call) {
    if (!bufferargument(call, "bufferfillbytes(&buffer,pos,len,value) requires a reference to a "
                              "string buffer as first argument")) {
        return false;
    }
    std::string text = call.arguments[0]->tostring();
    int64_t position = 0;
    int64_t count = 0;
    int64_t value = 0;
    if (!numberargument(call.arguments[1], 0, textsize(text), position)) {
        return failcall(
            call,
            interpretermessage("invalid pos argument in bufferfillbytes(&buffer,pos,len,value)"));
    }
    if (!numberargument(call.arguments[2], 0, textsize(text) - position, count)) {
        return failcall(call, interpretermessage("invalid len value argument in "
                                                 "bufferfillbytes(&buffer,pos,len,value) "));
    }
    if (!numberargument(call.arguments[3], 0, 255, value)) {
        return failcall(
            call, interpretermessage("invalid value argument in "
                                     "bufferfillbytes(&buffer,pos,len,value) should be 0-255"));
    }
    return fillbuffer(call, std::move(text), position, count, value);
}

constexpr VornSystemFunctionEntry entries[] = {
    {"buffergetbyte($$)", buffergetbyte},
    {"buffersetbyte($$$)", buffersetbyte},
    {"bufferfillbytes($$$$)", bufferfillbytes},
};

} // namespace

VornSystemFunctionTable bytebufferfunctiontable() {
    return entries;
}

} // namespace vornscript
