// Data handlers: vector and structure operations, the defaults live handlers
// inherit, the integer live base, the exception structure and the registry.
#include "support/logsink.h"
#include "values/conversions.h"
#include "values/exceptionstructure.h"
#include "values/handleregistry.h"
#include "values/scriptobject.h"
#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

// A live handler that implements nothing beyond the required copies.
class BareHandler : public VornScriptDataHandler {
public:
    VornScriptDataHandlerPtr duplicate() override { return makeref<BareHandler>(); }
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string&) override {
        result = duplicate();
        return true;
    }
};

// A live list of the squares 0, 1, 4, ... with a fixed size.
class SquaresHandler : public VornScriptObjectVectorHandlerAbstractBase {
public:
    explicit SquaresHandler(int64_t size) : size_(size) {}
    VornScriptDataHandlerPtr duplicate() override { return makeref<SquaresHandler>(size_); }
    bool vectorsize(int64_t& size, std::string&) override {
        size = size_;
        return true;
    }
    bool getvectorelement(int64_t index, VornScriptObjectPtr& element, std::string&) override {
        element = makelongvalue(index * index);
        return true;
    }
    bool accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                             std::string& error) override {
        return getvectorelement(index, element, error);
    }
    bool removevectorelement(int64_t, int64_t last, std::string&) override {
        size_ = last;
        return true;
    }

private:
    int64_t size_;
};

// A live counter behind the integer base.
class CounterHandler : public VornScriptObjectLongHandlerAbstractBase {
public:
    VornScriptDataHandlerPtr duplicate() override { return makeref<CounterHandler>(*this); }
    bool getlongvalue(int64_t& value, std::string&) override {
        value = value_;
        return true;
    }
    bool setlongvalue(int64_t value, std::string&) override {
        value_ = value;
        return true;
    }

private:
    int64_t value_ = 7;
};

// A live record that lists its fields in its own, unsorted order.
class DateRecordHandler : public VornScriptObjectStructureHandlerAbstractBase {
public:
    VornScriptDataHandlerPtr duplicate() override { return makeref<DateRecordHandler>(); }
    bool getstructurefields(std::vector<std::string>& names, std::string&) override {
        names = {"year", "month", "day", "a b"};
        return true;
    }
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string&) override {
        member = makestringvalue(name == "year" ? "2019" : name == "month" ? "5" : "x y");
        return true;
    }
};

VornScriptObjectPtr literal(const char* text) {
    return makestringvalue(text);
}

} // namespace

TEST(DataHandlers, DefaultsReportNotImplemented) {
    BareHandler bare;
    VornScriptObjectPtr member;
    VornScriptObjectList list;
    std::vector<std::string> names;
    std::string text;
    int64_t size = 0;
    const struct {
        std::function<bool(std::string&)> call;
        const char* message;
    } rows[] = {
        {[&](std::string& e) { return bare.accessstructuremember("a", member, e); },
         "accessstructuremember not implemented"},
        {[&](std::string& e) { return bare.getstructuremember("a", member, e); },
         "getstructuremember not implemented"},
        {[&](std::string& e) { return bare.getstructurefields(names, e); },
         "getstructurefields not implemented"},
        {[&](std::string& e) { return bare.insertstructuremember("a", member, e); },
         "insertstructuremember not implemented"},
        {[&](std::string& e) { return bare.removestructuremember("a", e); },
         "removestructuremember not implemented"},
        {[&](std::string& e) { return bare.vectorsize(size, e); }, "vectorsize not implemented"},
        {[&](std::string& e) { return bare.accessvectorelement(0, member, e); },
         "accessvectorelement not implemented"},
        {[&](std::string& e) { return bare.pushvectorelement(member, false, e); },
         "pushvectorelement not implemented"},
        {[&](std::string& e) { return bare.getvectorelement(0, member, e); },
         "getvectorelement not implemented"},
        {[&](std::string& e) { return bare.insertvectorelement(0, member, e); },
         "insertvectorelement not implemented"},
        {[&](std::string& e) { return bare.removevectorelement(0, 0, e); },
         "removevectorelement not implemented"},
        {[&](std::string& e) { return bare.getstring(text, e); }, "getstring not implemented"},
        {[&](std::string& e) { return bare.setstring("x", e); }, "setstring not implemented"},
        {[&](std::string& e) { return bare.popvectorelement(member, e); },
         "pop() requires a vector"},
        {[&](std::string& e) { return bare.getvectorelements(list, e); },
         "vectorsize not implemented"},
    };
    for (const auto& row : rows) {
        std::string error;
        EXPECT_FALSE(row.call(error)) << row.message;
        EXPECT_EQ(error, row.message);
    }

    int32_t code = 9;
    EXPECT_TRUE(bare.gettypecode(code));
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(bare.isstring() || bare.isvector() || bare.isstructure() || bare.islibrarydata() ||
                 bare.copyreference());
    EXPECT_EQ(bare.tostring(), "");
    EXPECT_EQ(bare.debuginfo(), "DATA: ");
}

TEST(DataHandlers, LiveVectorUsesGenericTextsAndPop) {
    auto squares = makeref<SquaresHandler>(4);
    VornScriptObjectPtr value = makehandlervalue(squares);
    EXPECT_EQ(value->getobjecttype(), VornObjectType::vector);
    EXPECT_EQ(value->tostring(), "[0,1,4,9]");
    EXPECT_EQ(squares->debuginfo(), "SIZE=4");

    VornScriptObjectPtr popped;
    std::string error;
    ASSERT_TRUE(value->popvectorelement(popped, error));
    EXPECT_EQ(popped->tostring(), "9");
    EXPECT_EQ(value->tostring(), "[0,1,4]");
    VornScriptObjectList elements;
    ASSERT_TRUE(value->getvectorelements(elements, error));
    EXPECT_EQ(elements.size(), 3u);

    // Value semantics turn the live list into a plain vector.
    VornScriptObjectPtr copy;
    ASSERT_TRUE(makervalue(value, copy, error));
    EXPECT_EQ(copy->getdatahandler()->handlerkind(), VornHandlerKind::plainvector);
    EXPECT_EQ(copy->tostring(), "[0,1,4]");

    auto empty = makeref<SquaresHandler>(0);
    EXPECT_FALSE(empty->popvectorelement(popped, error));
    EXPECT_EQ(error, "cannot pop() from empty vector");
}

TEST(DataHandlers, LiveStructureTextIsSortedByName) {
    auto record = makeref<DateRecordHandler>();
    VornScriptObjectPtr value = makehandlervalue(record);
    EXPECT_EQ(value->tostring(), "{'a b': 'x y', day: 'x y', month: 5, year: 2019}");
    // The debug text keeps the handler's own order.
    EXPECT_EQ(record->debuginfo(), "FIELDS(4)= year month day a b");
}

TEST(DataHandlers, PlainVectorOperations) {
    std::string error;
    VornScriptObjectPtr vector = makevalueoftype(VornObjectType::vector);
    VornScriptObjectPtr element;

    // Pushing two, popping three: "y+x+" with an empty third result.
    ASSERT_TRUE(vector->pushvectorelement(literal("x"), false, error));
    ASSERT_TRUE(vector->pushvectorelement(literal("y"), false, error));
    std::string popped;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(vector->popvectorelement(element, error));
        popped += (element ? element->tostring() : std::string()) + (i < 2 ? "+" : "");
    }
    EXPECT_EQ(popped, "y+x+");
    EXPECT_FALSE(element);

    // Element access grows the vector: arr[0], arr[2], arr[3] give length 4.
    for (int64_t index : {0, 2, 3}) {
        ASSERT_TRUE(vector->accessvectorelement(index, element, error));
        ASSERT_TRUE(element->assign(literal("1"), error));
    }
    int64_t size = 0;
    ASSERT_TRUE(vector->vectorsize(size, error));
    EXPECT_EQ(size, 4);
    EXPECT_EQ(vector->tostring(), "[1,,1,1]");
    EXPECT_FALSE(vector->accessvectorelement(-1, element, error));
    EXPECT_EQ(error, "index must be a positive integer value");

    // Reading outside gives nothing, without error.
    ASSERT_TRUE(vector->getvectorelement(10, element, error));
    EXPECT_FALSE(element);
    ASSERT_TRUE(vector->getvectorelement(-1, element, error));
    EXPECT_FALSE(element);

    // Insert past the end fills with undefined entries.
    VornScriptObjectPtr e = makevalueoftype(VornObjectType::vector);
    for (const char* text : {"1", "2", "3"}) {
        ASSERT_TRUE(e->pushvectorelement(literal(text), false, error));
    }
    ASSERT_TRUE(e->insertvectorelement(5, literal("4"), error));
    EXPECT_EQ(e->tostring(), "[1,2,3,,,4]");
    ASSERT_TRUE(e->insertvectorelement(0, literal("0"), error));
    EXPECT_EQ(e->tostring(), "[0,1,2,3,,,4]");

    // Removing an inclusive range; ranges beyond the end are clipped.
    ASSERT_TRUE(e->removevectorelement(1, 2, error));
    EXPECT_EQ(e->tostring(), "[0,3,,,4]");
    ASSERT_TRUE(e->removevectorelement(3, 100, error));
    EXPECT_EQ(e->tostring(), "[0,3,]");
    ASSERT_TRUE(e->removevectorelement(2, 1, error));
    EXPECT_EQ(e->tostring(), "[0,3,]");
    e->getdatahandler()->clear();
    EXPECT_EQ(e->tostring(), "[]");

    // Huge indexes are refused instead of exhausting memory.
    EXPECT_FALSE(e->accessvectorelement(int64_t{1} << 40, element, error));
    EXPECT_EQ(error, "vector index too large");
}

TEST(DataHandlers, PlainStructureOperations) {
    std::string error;
    VornScriptObjectPtr structure = makevalueoftype(VornObjectType::structure);
    VornScriptObjectPtr member;
    // Reading a missing member through access creates it as undefined.
    ASSERT_TRUE(structure->accessstructuremember("weekday", member, error));
    EXPECT_TRUE(member->isnull());
    EXPECT_EQ(structure->tostring(), "{weekday: }");
    EXPECT_FALSE(structure->getstructuremember("missing", member, error));
    ASSERT_TRUE(structure->insertstructuremember("b", literal("z"), error));
    ASSERT_TRUE(structure->insertstructuremember("a", literal("13"), error));
    ASSERT_TRUE(structure->insertstructuremember("a", literal("14"), error));
    std::vector<std::string> names;
    ASSERT_TRUE(structure->getstructurefields(names, error));
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b", "weekday"}));
    ASSERT_TRUE(structure->removestructuremember("weekday", error));
    ASSERT_TRUE(structure->removestructuremember("nothing", error));
    EXPECT_EQ(structure->tostring(), "{a: 14, b: 'z'}");

    VornScriptDataHandlerPtr duplicate = structure->duplicate();
    std::string text = makehandlervalue(duplicate)->tostring();
    EXPECT_EQ(text, "{a: 14, b: 'z'}");
    structure->getdatahandler()->clear();
    EXPECT_EQ(structure->tostring(), "{}");
    EXPECT_EQ(makehandlervalue(duplicate)->tostring(), "{a: 14, b: 'z'}");
}

TEST(DataHandlers, SelfContainingCollectionsStayBounded) {
    std::string error;
    VornScriptObjectPtr vector = makevalueoftype(VornObjectType::vector);
    VornScriptObjectPtr element;
    ASSERT_TRUE(vector->accessvectorelement(0, element, error));
    ASSERT_TRUE(element->assignreference(vector, error));
    const std::string text = vector->tostring();
    EXPECT_NE(text.find("..."), std::string::npos);
    VornScriptObjectPtr copy;
    EXPECT_TRUE(makervalue(vector, copy, error));
    EXPECT_TRUE(vector->duplicate());
    // Reference counting cannot free a cycle; break it.
    element->setnull();
    copy.reset();
}

TEST(DataHandlers, DeeplyNestedCollectionsReleaseWithoutRecursion) {
    // Scripts nest collections this deep through references (a loop of
    // "var b = []; pushreference(b, a); a =& b;"). Released one level per
    // native call, a million levels overflowed the stack.
    std::string error;
    const VornScriptObjectPtr innermost = makevalueoftype(VornObjectType::vector);
    VornScriptObjectPtr chain = innermost;
    for (int level = 0; level < 1000000; ++level) {
        const bool structure = level % 2 == 0;
        VornScriptObjectPtr outer =
            makevalueoftype(structure ? VornObjectType::structure : VornObjectType::vector);
        VornScriptObjectPtr place;
        ASSERT_TRUE(structure ? outer->accessstructuremember("inner", place, error)
                              : outer->accessvectorelement(0, place, error));
        ASSERT_TRUE(place->assignreference(chain, error));
        chain = std::move(outer);
    }
    // A reference shares the collection's handler.
    const VornScriptDataHandler& innermostlist = *innermost->getdatahandler();
    EXPECT_EQ(innermostlist.refcount(), 2);
    chain.reset();
    // Every level is gone once the outermost release returns.
    EXPECT_EQ(innermostlist.refcount(), 1);
}

TEST(DataHandlers, StringHandlersAndIntegerLiveBase) {
    std::string error;
    auto counter = makeref<CounterHandler>();
    VornScriptObjectPtr value = makehandlervalue(counter);
    EXPECT_EQ(value->getobjecttype(), VornObjectType::string);
    EXPECT_EQ(value->tostring(), "7");
    EXPECT_TRUE(value->islong());
    int64_t l = 0;
    EXPECT_TRUE(value->readlong(l));
    EXPECT_EQ(l, 7);
    // Assigning a text goes into the live handler.
    ASSERT_TRUE(value->assign(literal("12"), error));
    EXPECT_EQ(value->getdatahandler(), VornScriptDataHandlerPtr(counter));
    EXPECT_EQ(value->tostring(), "12");
    EXPECT_FALSE(value->assign(literal("abc"), error));
    EXPECT_EQ(error, "integer value expected");
    ASSERT_TRUE(value->setnumber(3.0, error));
    EXPECT_EQ(value->tostring(), "3");

    // The live number copied by value becomes a plain string with code long.
    VornScriptObjectPtr copy;
    ASSERT_TRUE(makervalue(value, copy, error));
    EXPECT_EQ(copy->getdatahandler()->handlerkind(), VornHandlerKind::plainstring);
    EXPECT_EQ(gettypename(copy), "long");

    // Assigning the live number to a fresh variable copies, never shares.
    VornScriptObjectPtr snapshot = makeundefinedvalue();
    ASSERT_TRUE(snapshot->assign(value, error));
    ASSERT_TRUE(value->setlong(100, error));
    EXPECT_EQ(snapshot->tostring(), "3");

    auto plain = makeref<VornScriptObjectStringHandler>("abc", VornTypeCode::string);
    plain->clear();
    int32_t code = 9;
    plain->gettypecode(code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(plain->tostring(), "");
    EXPECT_EQ(VornScriptObjectStringHandler::makelong(5)->debuginfo(), "DATA: 5");
}

// The plain structure remembers its last member found; removing, clearing or
// editing the map directly must never leave a lookup on a dropped member.
TEST(DataHandlers, PlainStructureLookupCache) {
    std::string error;
    auto handler = makeref<VornScriptObjectStructureHandler>();
    VornScriptObjectPtr first;
    VornScriptObjectPtr member;
    ASSERT_TRUE(handler->accessstructuremember("m", first, error));
    ASSERT_TRUE(handler->getstructuremember("m", member, error));
    EXPECT_EQ(member.get(), first.get());
    ASSERT_TRUE(handler->removestructuremember("m", error));
    EXPECT_FALSE(handler->getstructuremember("m", member, error));
    EXPECT_EQ(error, "structure has no member m");
    ASSERT_TRUE(handler->accessstructuremember("m", member, error));
    EXPECT_NE(member.get(), first.get());
    handler->clear();
    EXPECT_FALSE(handler->getstructuremember("m", member, error));
    ASSERT_TRUE(handler->accessstructuremember("n", member, error));
    handler->members().erase("n");
    EXPECT_FALSE(handler->getstructuremember("n", member, error));

    // A large structure built back to front keeps its members sorted and
    // every earlier member object stays the one its name finds.
    constexpr int count = 100000;
    std::vector<VornScriptObjectPtr> made(count);
    for (int i = count - 1; i >= 0; --i) {
        ASSERT_TRUE(handler->accessstructuremember(std::to_string(count + i), made[i], error));
    }
    std::vector<std::string> names;
    ASSERT_TRUE(handler->getstructurefields(names, error));
    ASSERT_EQ(names.size(), size_t{count});
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    for (int i = 0; i < count; i += 997) {
        ASSERT_TRUE(handler->getstructuremember(std::to_string(count + i), member, error));
        EXPECT_EQ(member.get(), made[i].get());
    }
}

TEST(DataHandlers, ExceptionStructure) {
    auto handler = makeref<VornScriptExceptionStructure>(
        VornScriptErrorException("testcatch5", 4, 6, "vector index must be a positive number"));
    VornScriptObjectPtr value = makehandlervalue(handler);
    EXPECT_EQ(value->getobjecttype(), VornObjectType::structure);
    EXPECT_TRUE(value->copyreference());
    const char* info = "testcatch5 Line 4 Col 6 vector index must be a positive number";
    EXPECT_EQ(value->tostring(), info);
    EXPECT_EQ(handler->debuginfo(), info);

    std::string error;
    std::vector<std::string> names;
    ASSERT_TRUE(value->getstructurefields(names, error));
    EXPECT_EQ(names,
              (std::vector<std::string>{"filename", "what", "linenr", "columnnr", "pos", "info"}));
    const char* members[][3] = {
        {"filename", "testcatch5", "string"},
        {"what", "vector index must be a positive number", "string"},
        {"linenr", "4", "long"},
        {"columnnr", "6", "long"},
        {"pos", "testcatch5 Line 4 Col 6", "string"},
        {"info", info, "string"},
    };
    for (const auto& row : members) {
        VornScriptObjectPtr member;
        ASSERT_TRUE(value->accessstructuremember(row[0], member, error)) << row[0];
        EXPECT_EQ(member->tostring(), row[1]);
        EXPECT_EQ(gettypename(member), row[2]) << row[0];
        // Members are new values: changing one leaves the exception alone.
        ASSERT_TRUE(member->setstring("changed", error));
    }
    VornScriptObjectPtr member;
    ASSERT_TRUE(value->getstructuremember("what", member, error));
    EXPECT_EQ(member->tostring(), "vector index must be a positive number");
    EXPECT_FALSE(value->getstructuremember("weekday", member, error));
    EXPECT_EQ(error, "exception has no structure member weekday");
    EXPECT_FALSE(value->removestructuremember("what", error));
    EXPECT_EQ(error, "not allowed to remove structure members");

    // Assignment shares it; a cast to structure lists the members sorted.
    VornScriptObjectPtr other = makeundefinedvalue();
    ASSERT_TRUE(other->assign(value, error));
    EXPECT_EQ(other->getdatahandler(), value->getdatahandler());
    VornScriptObjectPtr structure;
    ASSERT_TRUE(casttostructure(value, structure, error));
    EXPECT_EQ(structure->tostring(),
              "{columnnr: 6, filename: 'testcatch5', info: 'testcatch5 Line 4 Col 6 vector index "
              "must be a positive number', linenr: 4, pos: 'testcatch5 Line 4 Col 6', what: "
              "'vector index must be a positive number'}");
    VornScriptObjectPtr duplicate = makehandlervalue(value->duplicate());
    EXPECT_EQ(duplicate->tostring(), info);
}

TEST(DataHandlers, HandleRegistryLogsLookups) {
    std::vector<std::string> lines;
    setlogsink([&lines](const std::string& text, bool) { lines.push_back(text); });
    VornScriptDataHandlerPtr handler = makeref<VornScriptObjectStringHandler>("kept");
    const int64_t handle = remember(handler);
    EXPECT_EQ(handle, gethandle(handler.get()));
    handler.reset();
    VornScriptDataHandlerPtr found = getremembered(handle);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->tostring(), "kept");
    EXPECT_FALSE(getremembered(0));
    EXPECT_FALSE(getremembered(handle + 1));
    setlogsink(VornLogSink());
    writelogline("dropped", true);

    const std::string h = std::to_string(handle);
    const std::string h1 = std::to_string(handle + 1);
    EXPECT_EQ(lines, (std::vector<std::string>{"remember datahandler [" + h + "]",
                                               "getremembered datahandler [" + h + "]",
                                               "getremembered datahandler [" + h1 + "]",
                                               "failed getremembered datahandler [" + h1 + "]"}));
}

} // namespace vornscriptunittests
