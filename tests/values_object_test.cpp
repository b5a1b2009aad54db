// The value object: type names, conversions, text and element forms, debug
// descriptions, assignment semantics and casts.
#include "values/conversions.h"
#include "values/scriptobject.h"
#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include <gtest/gtest.h>

#include <regex>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

VornScriptObjectPtr literal(const char* text, int32_t code = VornTypeCode::notset) {
    return makestringvalue(text, code);
}

VornScriptObjectPtr vectorof(std::initializer_list<VornScriptObjectPtr> elements) {
    return makehandlervalue(makeref<VornScriptObjectVectorHandler>(VornScriptObjectList(elements)));
}

VornScriptObjectPtr
structureof(std::initializer_list<std::pair<const char*, VornScriptObjectPtr>> members) {
    VornScriptObjectPtr value = makevalueoftype(VornObjectType::structure);
    std::string error;
    for (const auto& [name, member] : members) {
        EXPECT_TRUE(value->insertstructuremember(name, member, error)) << error;
    }
    return value;
}

std::string maskaddress(const std::string& text) {
    return std::regex_replace(text, std::regex("data=0x[0-9A-Fa-f]+"), "data=0x0");
}

} // namespace

TEST(ValueObject, TypeNamesAndNumberQueries) {
    struct Row {
        VornScriptObjectPtr value;
        const char* type;
        bool isnumber, islong, isdouble;
    } rows[] = {
        {VornScriptObjectPtr(), "null", false, false, false},
        {makeundefinedvalue(), "null", false, false, false},
        {literal("3"), "long", true, true, false},
        {literal("3.13"), "double", true, false, true},
        {literal("a"), "string", false, false, false},
        {literal("' 1.2 '"), "string", false, false, false},
        {literal(" 1.2 "), "double", true, false, true},
        {literal("20.00"), "long", true, true, false},
        {literal("1e-3"), "string", false, false, false},
        {literal("0.00", VornTypeCode::doublenumber), "double", true, false, true},
        {literal("12", VornTypeCode::string), "string", false, false, false},
        {makenumbervalue(3.0 / 2.0), "double", true, false, true},
        {makenumbervalue(8.0), "long", true, true, false},
        {makelongvalue(-5), "long", true, true, false},
        {makedoublevalue(2.0), "double", true, false, true},
        {makeboolvalue(true), "long", true, true, false},
        {makevalueoftype(VornObjectType::vector), "vector", false, false, false},
        {makevalueoftype(VornObjectType::structure), "structure", false, false, false},
        {makestringvalue("[1,3,5]", VornTypeCode::string), "string", false, false, false},
    };
    for (const Row& row : rows) {
        const std::string text = row.value ? row.value->tostring() : "<empty>";
        EXPECT_EQ(gettypename(row.value), row.type) << text;
        if (row.value) {
            EXPECT_EQ(row.value->isnumber(), row.isnumber) << text;
            EXPECT_EQ(row.value->islong(), row.islong) << text;
            EXPECT_EQ(row.value->isdouble(), row.isdouble) << text;
        }
    }
}

TEST(ValueObject, NumberTextsOfMakers) {
    const struct {
        VornScriptObjectPtr value;
        const char* text;
    } rows[] = {
        {makelongvalue(-42), "-42"},
        {makedoublevalue(3.5), "3.500000"},
        {makedoublevalue(-0.0000001), "-0.000000"},
        {makenumbervalue(3.5 + 4.5), "8"},
        {makenumbervalue(3 + 4.5), "7.500000"},
        {makenumbervalue(3.0 / 13.0), "0.230769"},
        {makeboolvalue(true), "1"},
        {makeboolvalue(false), "0"},
        {literal("0.00"), "0.00"},
        {literal("1e3"), "1e3"},
        {makevalueoftype(VornObjectType::string), ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.value->tostring(), row.text);
    }
    // Whole, but beyond 64 bits: stays a double.
    EXPECT_EQ(makenumbervalue(1e300)->gettypecode(), VornTypeCode::doublenumber);
}

TEST(ValueObject, Conversions) {
    struct Row {
        VornScriptObjectPtr value;
        bool doubleok;
        double doublevalue;
        bool longok;
        int64_t longvalue;
        bool boolok;
        bool boolvalue;
    } rows[] = {
        {literal("3"), true, 3, true, 3, true, true},
        {literal(" 1.2 "), true, 1.2, true, 1, false, false},
        {literal("3.1415"), true, 3.1415, true, 3, false, false},
        {literal("-3.1415"), true, -3.1415, true, -3, false, false},
        {literal("1e3"), true, 1000, true, 1000, true, true},
        {literal("10.01e3"), true, 10010, true, 10010, true, true},
        {literal("1e-3"), true, 0.001, true, 0, false, false},
        {literal("yes"), false, 0, false, 0, true, true},
        {literal("abc"), false, 0, false, 0, false, false},
        {literal(""), false, 0, false, 0, false, false},
        {literal("1e30"), true, 1e30, false, 0, false, false},
        {makedoublevalue(0.5), true, 0.5, true, 0, false, false},
        {makedoublevalue(8.0), true, 8, true, 8, true, true},
        {makelongvalue(0), true, 0, true, 0, true, false},
        {makeundefinedvalue(), false, 0, false, 0, false, false},
        {VornScriptObjectPtr(), false, 0, false, 0, false, false},
        {makevalueoftype(VornObjectType::vector), false, 0, false, 0, false, false},
        {makevalueoftype(VornObjectType::structure), false, 0, false, 0, false, false},
    };
    for (const Row& row : rows) {
        const std::string text = row.value ? row.value->tostring() : "<empty>";
        double d = 0;
        int64_t l = 0;
        bool b = false;
        std::string error;
        EXPECT_EQ(getdouble(row.value, d, error), row.doubleok) << text;
        EXPECT_EQ(error, row.doubleok ? "" : "double value expected") << text;
        if (row.doubleok) {
            EXPECT_DOUBLE_EQ(d, row.doublevalue) << text;
        }
        error.clear();
        EXPECT_EQ(getlong(row.value, l, error), row.longok) << text;
        EXPECT_EQ(error, row.longok ? "" : "integer value expected") << text;
        if (row.longok) {
            EXPECT_EQ(l, row.longvalue) << text;
        }
        error.clear();
        EXPECT_EQ(getbool(row.value, b, error), row.boolok) << text;
        EXPECT_EQ(error, row.boolok ? "" : "boolean value expected") << text;
        EXPECT_EQ(row.value && row.value->istrue(), row.boolok && row.boolvalue) << text;
        if (row.boolok) {
            EXPECT_EQ(b, row.boolvalue) << text;
        }
    }

    int64_t l = 0;
    std::string error;
    EXPECT_TRUE(getlong(literal("255"), l, 0, 255, error));
    EXPECT_FALSE(getlong(literal("256"), l, 0, 255, error));
    EXPECT_EQ(error, "value out of range 0-255");
    EXPECT_FALSE(getlong(literal("-6"), l, -5, 5, error));
    EXPECT_EQ(error, "value out of range -5-5");

    std::string text;
    EXPECT_FALSE(getstring(VornScriptObjectPtr(), text, error));
    EXPECT_EQ(error, "string expected");
    EXPECT_TRUE(getstring(makeundefinedvalue(), text, error));
    EXPECT_EQ(text, "");
}

TEST(ValueObject, TextAndElementForms) {
    const struct {
        VornScriptObjectPtr value;
        const char* text;
    } rows[] = {
        {makeundefinedvalue(), ""},
        {vectorof({}), "[]"},
        {makevalueoftype(VornObjectType::structure), "{}"},
        {vectorof({literal("1"), literal("a b"), literal("'")}), "[1,'a b','\\'']"},
        {vectorof({literal("1"), literal("2"), literal("3"), VornScriptObjectPtr(),
                   makeundefinedvalue(), literal("4")}),
         "[1,2,3,,,4]"},
        {vectorof({vectorof({literal("0")}), vectorof({literal("1")})}), "[[0],[1]]"},
        {vectorof({structureof({{"info", literal("0")}}), structureof({{"info", literal("1")}})}),
         "[{info: 0},{info: 1}]"},
        {vectorof({literal("1e3"), literal("-0.5"), literal(" 7"), makedoublevalue(2.5),
                   makelongvalue(-3), literal("say \"hi\"\t\\")}),
         "['1e3',-0.5,' 7',2.500000,-3,'say \\\"hi\\\"\\t\\\\']"},
        {vectorof({literal("\x01\xE4\xA3")}), "['\\x01\xE4\\xA3']"},
        {structureof({{"year", literal("2019")}, {"month", literal("5")}, {"day", literal("13")}}),
         "{day: 13, month: 5, year: 2019}"},
        {structureof({{"three", literal("2020")}, {"3", literal("2019")}}),
         "{3: 2019, three: 2020}"},
        {structureof({{"\n", literal("newline")},
                      {" ", literal("space")},
                      {"-13", literal("minus13")},
                      {"a,b", literal("a and b")},
                      {"", literal("empty")},
                      {"A_9", literal("x")}}),
         "{'': 'empty', '\\n': 'newline', ' ': 'space', '-13': 'minus13', A_9: 'x', "
         "'a,b': 'a and b'}"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.value->tostring(), row.text);
    }
    // A text alone is unquoted; as an element it is quoted.
    EXPECT_EQ(literal("a b")->tostring(), "a b");
    EXPECT_EQ(literal("a b")->toelementstring(), "'a b'");
    EXPECT_EQ(literal("-12.5")->toelementstring(), "-12.5");
}

TEST(ValueObject, DebugDescriptions) {
    VornScriptObjectPtr vector = vectorof({literal("1"), literal("2"), literal("3")});
    vector->setname("v");
    VornScriptObjectPtr structure = structureof({{"name", literal("x")},
                                                 {"day", literal("1")},
                                                 {"month", literal("2")},
                                                 {"year", literal("3")},
                                                 {"color", literal("red")}});
    structure->setname("s");
    VornScriptObjectPtr text = literal("abc");
    VornScriptObjectPtr copy;
    std::string error;
    ASSERT_TRUE(makervalue(text, copy, error));
    const struct {
        VornScriptObjectPtr value;
        const char* debug;
    } rows[] = {
        {vector, "OBJECT TYPE=vector L-VALUE NAME=v data=0x0 SIZE=3"},
        {structure,
         "OBJECT TYPE=structure L-VALUE NAME=s data=0x0 FIELDS(5)= color day month name year"},
        {text, "OBJECT TYPE=string L-VALUE data=0x0 DATA: abc"},
        {copy, "OBJECT TYPE=string data=0x0 DATA: abc"},
        {makeundefinedvalue(), "OBJECT TYPE=undef L-VALUE data=null"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(maskaddress(row.value->getdebuginfo()), row.debug);
    }
    EXPECT_NE(text->getdebuginfo().find("data=0x"), std::string::npos);
}

TEST(ValueObject, DebugNamesAtMostTenThenLast) {
    const char* names = "abcdefghijklm";
    const struct {
        size_t count;
        const char* debug;
    } rows[] = {
        {10, "FIELDS(10)= a b c d e f g h i j"},
        {11, "FIELDS(11)= a b c d e f g h i j k"},
        {12, "FIELDS(12)= a b c d e f g h i j ... l"},
        {13, "FIELDS(13)= a b c d e f g h i j ... m"},
    };
    for (const auto& row : rows) {
        VornScriptObjectPtr structure = makevalueoftype(VornObjectType::structure);
        std::string error;
        for (size_t i = 0; i < row.count; ++i) {
            VornScriptObjectPtr member;
            ASSERT_TRUE(structure->accessstructuremember(std::string(1, names[i]), member, error));
        }
        EXPECT_EQ(structure->getdatahandler()->debuginfo(), row.debug);
    }
}

TEST(ValueObject, AssignCopiesTextsAndSharesCollections) {
    std::string error;
    // Texts never share: changing the target leaves the source alone.
    VornScriptObjectPtr source = literal("1");
    VornScriptObjectPtr target = makeundefinedvalue();
    ASSERT_TRUE(target->assign(source, error));
    ASSERT_TRUE(target->assign(literal("5"), error));
    EXPECT_EQ(source->tostring(), "1");
    EXPECT_EQ(target->tostring(), "5");

    // String onto string keeps the target's handler and copies the type code.
    VornScriptDataHandlerPtr handler = target->getdatahandler();
    ASSERT_TRUE(target->assign(makedoublevalue(2.5), error));
    EXPECT_EQ(target->getdatahandler(), handler);
    EXPECT_EQ(target->tostring(), "2.500000");
    EXPECT_EQ(target->gettypecode(), VornTypeCode::doublenumber);
    ASSERT_TRUE(target->assign(literal("x", VornTypeCode::string), error));
    EXPECT_EQ(target->gettypecode(), VornTypeCode::string);

    // Vectors and structures arrive shared (the evaluator copies first).
    VornScriptObjectPtr vector = vectorof({literal("1")});
    ASSERT_TRUE(target->assign(vector, error));
    EXPECT_EQ(target->getobjecttype(), VornObjectType::vector);
    EXPECT_EQ(target->getdatahandler(), vector->getdatahandler());
    // A string onto a vector replaces it.
    ASSERT_TRUE(target->assign(literal("7"), error));
    EXPECT_EQ(target->getobjecttype(), VornObjectType::string);
    EXPECT_EQ(vector->tostring(), "[1]");
    // Undefined or empty sources make the target undefined.
    ASSERT_TRUE(target->assign(makeundefinedvalue(), error));
    EXPECT_TRUE(target->isnull());
    ASSERT_TRUE(target->assign(literal("7"), error));
    ASSERT_TRUE(target->assign(VornScriptObjectPtr(), error));
    EXPECT_TRUE(target->isnull());
}

TEST(ValueObject, AssignReferenceSharesBothWays) {
    std::string error;
    VornScriptObjectPtr x = makeundefinedvalue();
    VornScriptObjectPtr y = literal("1");
    ASSERT_TRUE(x->assignreference(y, error));
    ASSERT_TRUE(x->assign(literal("3"), error));
    EXPECT_EQ(y->tostring(), "3");
    ASSERT_TRUE(y->setlong(10, error));
    EXPECT_EQ(x->tostring(), "10");
    EXPECT_FALSE(x->assignreference(VornScriptObjectPtr(), error));
    EXPECT_EQ(error, "cannot assign null reference");

    // A vector element bound by reference to a variable.
    VornScriptObjectPtr variable = literal("13");
    VornScriptObjectPtr vector = makevalueoftype(VornObjectType::vector);
    ASSERT_TRUE(vector->pushvectorelement(variable, true, error));
    VornScriptObjectPtr element;
    ASSERT_TRUE(vector->accessvectorelement(0, element, error));
    ASSERT_TRUE(element->assign(literal("10"), error));
    EXPECT_EQ(variable->tostring(), "10");
}

TEST(ValueObject, ConstValuesRefuseEveryChange) {
    VornScriptObjectPtr value = literal("1");
    value->setconst(true);
    std::string error;
    const bool results[] = {
        value->assign(literal("2"), error), value->assignreference(literal("2"), error),
        value->setstring("2", error),       value->setlong(2, error),
        value->setdouble(2.5, error),       value->setnumber(2.0, error),
    };
    for (bool result : results) {
        EXPECT_FALSE(result);
    }
    EXPECT_EQ(error, "const object must not be changed");
    EXPECT_EQ(value->tostring(), "1");
    value->setconst(false);
    EXPECT_TRUE(value->setnumber(2.0, error));
    EXPECT_EQ(value->tostring(), "2");
}

TEST(ValueObject, InPlaceNumbersAndNormalize) {
    std::string error;
    VornScriptObjectPtr value = literal("0003");
    value->normalize();
    EXPECT_EQ(value->tostring(), "3");
    VornScriptObjectPtr typed = literal("0003", VornTypeCode::longnumber);
    typed->normalize();
    EXPECT_EQ(typed->tostring(), "0003");
    VornScriptObjectPtr text = literal("abc");
    text->normalize();
    EXPECT_EQ(text->tostring(), "abc");

    ASSERT_TRUE(value->setdouble(13.5, error));
    EXPECT_TRUE(value->isdouble());
    EXPECT_EQ(value->tostring(), "13.500000");
    ASSERT_TRUE(value->setstring("1.2", error));
    double d = 0;
    EXPECT_TRUE(value->readdouble(d));
    EXPECT_DOUBLE_EQ(d, 1.2);
    int64_t l = 0;
    EXPECT_FALSE(value->readlong(l));

    VornScriptObjectPtr undefined = makeundefinedvalue();
    ASSERT_TRUE(undefined->setnumber(4.0, error));
    EXPECT_TRUE(undefined->islong());
    EXPECT_EQ(undefined->tostring(), "4");

    // pi held as its six-decimal text value.
    EXPECT_EQ(makedoublevalue(3.141592653589793)->tostring(), "3.141593");
    ASSERT_TRUE(makedoublevalue(3.141592653589793)->readdouble(d));
    EXPECT_EQ(d, 3.141593);
}

TEST(ValueObject, CastsToStructureAndVector) {
    const struct {
        VornScriptObjectPtr value;
        const char* structure; // "" when the cast fails
        const char* vector;
    } rows[] = {
        {makeundefinedvalue(), "{}", "[]"},
        {vectorof({literal("a"), literal("b")}), "{0: 'a', 1: 'b'}", "['a','b']"},
        {structureof({{"1", literal("b")}, {"0", literal("a")}}), "{0: 'a', 1: 'b'}", "['a','b']"},
        {structureof({{"a", literal("3")}, {"b", literal("4")}}), "{a: 3, b: 4}",
         "[{a: 3},{b: 4}]"},
        {structureof({{"0", literal("1")},
                      {"1", literal("2")},
                      {"2", literal("3")},
                      {"3", literal("4")},
                      {"otherfield", literal("5")}}),
         "{0: 1, 1: 2, 2: 3, 3: 4, otherfield: 5}",
         "[{0: 1},{1: 2},{2: 3},{3: 4},{otherfield: 5}]"},
        {structureof({{"1", literal("b")}, {"2", literal("c")}}), "{1: 'b', 2: 'c'}",
         "[{1: 'b'},{2: 'c'}]"},
        {structureof({{"00", literal("a")}}), "{00: 'a'}", "[{00: 'a'}]"},
        {literal("3"), "", ""},
    };
    for (const auto& row : rows) {
        VornScriptObjectPtr result;
        std::string error;
        const bool structureok = casttostructure(row.value, result, error);
        EXPECT_EQ(structureok, *row.structure != '\0') << row.structure;
        if (structureok) {
            EXPECT_EQ(result->tostring(), row.structure);
        } else {
            EXPECT_EQ(error, "cannot cast value to structure");
        }
        const bool vectorok = casttovector(row.value, result, error);
        EXPECT_EQ(vectorok, *row.vector != '\0') << row.vector;
        if (vectorok) {
            EXPECT_EQ(result->tostring(), row.vector);
        } else {
            EXPECT_EQ(error, "cannot cast value to vector");
        }
    }
}

TEST(ValueObject, CastsAndRvaluesCopyIndependently) {
    std::string error;
    VornScriptObjectPtr variable = literal("1");
    VornScriptObjectPtr inner = vectorof({literal("x")});
    VornScriptObjectPtr vector = vectorof({variable, inner});

    VornScriptObjectPtr copy;
    ASSERT_TRUE(makervalue(vector, copy, error));
    EXPECT_FALSE(copy->islvalue());
    VornScriptObjectPtr element;
    ASSERT_TRUE(copy->accessvectorelement(0, element, error));
    EXPECT_TRUE(element->islvalue());
    ASSERT_TRUE(element->assign(literal("17"), error));
    ASSERT_TRUE(copy->accessvectorelement(1, element, error));
    ASSERT_TRUE(element->pushvectorelement(literal("y"), false, error));
    EXPECT_EQ(vector->tostring(), "[1,['x']]");
    EXPECT_EQ(copy->tostring(), "[17,['x','y']]");

    VornScriptObjectPtr structure;
    ASSERT_TRUE(casttostructure(vector, structure, error));
    ASSERT_TRUE(structure->accessstructuremember("0", element, error));
    ASSERT_TRUE(element->assign(literal("2"), error));
    EXPECT_EQ(variable->tostring(), "1");

    ASSERT_TRUE(makervalue(VornScriptObjectPtr(), copy, error));
    EXPECT_FALSE(copy);
    ASSERT_TRUE(makervalue(makeundefinedvalue(), copy, error));
    EXPECT_TRUE(copy->isnull());
}

TEST(ValueObject, OperationsCheckObjectType) {
    VornScriptObjectPtr text = literal("a");
    VornScriptObjectPtr structure = makevalueoftype(VornObjectType::structure);
    VornScriptObjectPtr member;
    int64_t size = 0;
    std::string error;
    EXPECT_FALSE(text->vectorsize(size, error));
    EXPECT_EQ(error, "vector expected");
    EXPECT_FALSE(structure->accessvectorelement(0, member, error));
    EXPECT_EQ(error, "vector expected");
    EXPECT_FALSE(text->accessstructuremember("x", member, error));
    EXPECT_EQ(error, "structure expected");
    EXPECT_FALSE(makeundefinedvalue()->insertstructuremember("x", text, error));
    EXPECT_EQ(error, "structure expected");
    VornScriptObjectPtr vector = makevalueoftype(VornObjectType::vector);
    EXPECT_FALSE(vector->insertvectorelement(-1, text, error));
    EXPECT_EQ(error, "index must be a positive integer value");

    // Setting a text on an undefined value makes it a string.
    VornScriptObjectPtr undefined = makeundefinedvalue();
    ASSERT_TRUE(undefined->setstring("hello", error));
    EXPECT_EQ(undefined->getobjecttype(), VornObjectType::string);
    // setnull and clearreferenced.
    VornScriptObjectPtr holder = literal("h");
    holder->setreferenced(undefined);
    holder->clearreferenced();
    EXPECT_TRUE(undefined->isnull());
    EXPECT_FALSE(undefined->getdatahandler());
}

} // namespace vornscriptunittests
