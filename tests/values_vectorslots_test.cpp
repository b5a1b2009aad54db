// The plain vector's inline numbers: a whole number nothing else holds sits
// in its slot without a value object, and every way of reaching it must act
// as if the object were there (places, references, loop variables, copies,
// text forms, sorting).
#include "tests/scripttesthelper.h"
#include "values/conversions.h"
#include "values/vectorhandler.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

VornScriptObjectVectorHandler& slotsof(const VornScriptObjectPtr& vector) {
    return static_cast<VornScriptObjectVectorHandler&>(*vector->getdatahandler());
}

// "n" for an inline number, "o" for an object, "-" for an empty slot.
std::string slotkinds(const VornScriptObjectPtr& vector) {
    std::string kinds;
    for (const VornVectorSlot& slot : slotsof(vector).slots()) {
        kinds += slot.isnumber() ? 'n' : (slot.isempty() ? '-' : 'o');
    }
    return kinds;
}

VornScriptObjectPtr numbers(std::initializer_list<int64_t> values) {
    VornScriptObjectPtr vector = makevalueoftype(VornObjectType::vector);
    std::string error;
    for (const int64_t value : values) {
        EXPECT_TRUE(vector->pushvectorelement(makelongvalue(value), false, error)) << error;
    }
    return vector;
}

} // namespace

TEST(VectorSlots, PlacesWriteThroughAndReadersDoNot) {
    std::string error;
    VornScriptObjectPtr vector = numbers({1, 2, 3});
    EXPECT_EQ(slotkinds(vector), "nnn");

    // A place reached once stays the vector's element: later writes land.
    VornScriptObjectPtr place;
    ASSERT_TRUE(vector->accessvectorelement(1, place, error));
    EXPECT_EQ(slotkinds(vector), "non");
    ASSERT_TRUE(place->setlong(20, error));
    VornScriptObjectPtr again;
    ASSERT_TRUE(vector->accessvectorelement(1, again, error));
    EXPECT_EQ(again.get(), place.get());

    // A loop variable shares the element's handler and sees a later write.
    VornScriptObjectPtr element;
    ASSERT_TRUE(vector->getvectorelement(2, element, error));
    VornScriptObjectPtr loopvariable = makeundefinedvalue();
    ASSERT_TRUE(loopvariable->assignreference(element, error));
    VornScriptObjectPtr third;
    ASSERT_TRUE(vector->accessvectorelement(2, third, error));
    ASSERT_TRUE(third->assign(makelongvalue(30), error));
    EXPECT_EQ(loopvariable->tostring(), "30");

    // Readers get values of their own; the vector keeps its numbers inline.
    VornScriptObjectPtr fresh = numbers({7, 8});
    VornScriptObjectList read;
    ASSERT_TRUE(fresh->getvectorelements(read, error));
    ASSERT_TRUE(read[0]->setlong(70, error));
    EXPECT_EQ(fresh->tostring(), "[7,8]");
    EXPECT_EQ(slotkinds(fresh), "nn");
    EXPECT_EQ(vector->tostring(), "[1,20,30]");
}

TEST(VectorSlots, OnlyUnsharedPlainNumbersGoInline) {
    std::string error;
    // Held elsewhere, named, const, text, out of range: all stay objects.
    VornScriptObjectPtr held = makelongvalue(5);
    VornScriptObjectPtr named = makelongvalue(6);
    named->setname("x");
    VornScriptObjectPtr fixed = makelongvalue(7);
    fixed->setconst(true);
    // Built by moving, as an initializer list would hold extra copies.
    VornScriptObjectList list;
    for (VornScriptObjectPtr element :
         {held, named, fixed, makestringvalue("9"), makelongvalue(int64_t{1} << 62),
          makelongvalue(-(int64_t{1} << 62)), makelongvalue(-1), makedoublevalue(2.5),
          VornScriptObjectPtr()}) {
        list.push_back(std::move(element));
    }
    VornScriptObjectPtr vector =
        makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(list)));
    EXPECT_EQ(slotkinds(vector), "ooooonno-");
    VornScriptObjectPtr first;
    ASSERT_TRUE(vector->accessvectorelement(0, first, error));
    EXPECT_EQ(first.get(), held.get());

    // Pushed by reference: the element shares the variable's handler.
    VornScriptObjectPtr variable = makelongvalue(1);
    ASSERT_TRUE(vector->pushvectorelement(variable, true, error));
    ASSERT_TRUE(variable->setlong(2, error));
    EXPECT_EQ(vector->tostring(),
              "[5,6,7,9,4611686018427387904,-4611686018427387904,-1,2.500000,,2]");
}

TEST(VectorSlots, GrowthGivesUnusedPlacesBack) {
    std::string error;
    VornScriptObjectPtr vector = numbers({1, 2});
    VornScriptObjectPtr named;
    ASSERT_TRUE(vector->accessvectorelement(0, named, error));
    named->setname("v[0]");
    VornScriptObjectPtr dropped;
    ASSERT_TRUE(vector->accessvectorelement(1, dropped, error));
    dropped.reset();
    EXPECT_EQ(slotkinds(vector), "oo");
    // Pushing until the slot array grows: the place nobody holds any more
    // becomes a number again; the named one (a name is visible) does not.
    while (slotsof(vector).slots().size() < 64) {
        ASSERT_TRUE(vector->pushvectorelement(makelongvalue(3), false, error));
    }
    EXPECT_EQ(slotkinds(vector).substr(0, 3), "onn");
    EXPECT_EQ(vector->toelementstring().substr(0, 8), "[1,2,3,3");
}

TEST(VectorSlots, ScriptsSeeNoDifference) {
    checkcases({
        {"var v = [1, 2, 3]; var r; r =& v[1]; v[1] = 20; r = r + 1; v + '|' + r", "[1,21,3]|21"},
        {"var v = []; push(v, 4); v[0]++; v[0] += 10; ++v[0]; v", "[16]"},
        {"var v = [5, 6]; var w = v; w[0] = 50; var c = (vector) v; c[1] = 60; v + '|' + w + '|' + "
         "c",
         "[5,6]|[50,6]|[5,60]"},
        {"var v = [1, 2, 3]; var d = duplicate(v); d[2] = 0; v + '|' + d + '|' + createjson([1, "
         "-2, 'x'])",
         "[1,2,3]|[1,2,0]|[\n    1,\n    \"-2\",\n    \"x\"\n]\n"},
        {"var v = [1, 2, 3]; var s = ''; foreach (var x in v) { v[0] = 9; s = s + x + ','; } s + "
         "'|' + v",
         "9,2,3,|[9,2,3]"},
        {"var v = [-1, 'a', 2.5, [3, 'b'], {k: 4}]; v[7] = 8; push(v, 0 - 5); v",
         "[-1,'a',2.5,[3,'b'],{k: 4},,,8,-5]"},
        {"var v = [1, 2, 3, 4, 5]; var p = pop(v); var f = shift(v); insert(v, 1, 'x'); "
         "removekey(v, 2); p + '|' + f + '|' + v",
         "5|1|[2,'x',4]"},
        {"var v = [1, 2, 3]; var j =& v.pop(); j = 7; j + '|' + v", "7|[1,2]"},
        {"var v = [3, -1, 20, 10]; sort(v) + '|' + inversesort(v) + '|' + sortalphabetic(v) + '|' "
         "+ v",
         "[-1,3,10,20]|[20,10,3,-1]|[-1,10,20,3]|[3,-1,20,10]"},
        {"function less(&a, &b) { var r = a < b; a = a + 10; return r; } var v = [3, 1, 2]; "
         "sort(v, 'less') + '|' + v",
         "[11,22,3]|[3,11,22]"},
        {"var v = []; for (var i = 0; i < 50; i++) push(v, i); var t = 0; foreach (var x in v) t "
         "+= x; for (var i = 0; i < 50; i++) push(v, i); t + '|' + size(v) + '|' + v[99] + '|' + "
         "min(v) + '|' + max(v)",
         "1225|100|49|0|49"},
    });
}

} // namespace vornscriptunittests
