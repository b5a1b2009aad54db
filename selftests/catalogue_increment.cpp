// Catalogue group "increment and decrement": prefix ++/-- change the
// variable at once, postfix ++/-- yield the old value and take effect when
// the statement (or condition, case label, collection item, argument list)
// that registered them has been evaluated.
#include "selftests/catalogue.h"

namespace vornscriptunittests {

namespace {

constexpr CatalogueRow rows[] = {
    {"postfixtestsuffixincr1", "3,5", "var x = 1;var y = x++ + x++ + 3;x + ',' + y;"},
    {"postfixtestsuffixdecr1", "7,18", "var x = 9;var y = x-- + x--;x + ',' + y;"},
    {"postfixtestsuffixinvalid",
     "<error> postfixtestsuffixinvalid Line 1 Col 12 variable expected on left side",
     "var x = 1; ++x--"},
    {"postfixtestsuffixincr2", "9,10", "var x = 9;var y = (++x)--;x +','+y"},
    {"postfixmembervar++", "6,5", "var s; s.count = 5; var r = s.count++; s.count + ',' + r"},
    {"prefixmembervar++", "6,6", "var s; s.count = 5; var r = ++s.count; s.count + ',' + r"},
    {"postfixfunctionrvalueret", "5,5", "function f(x) { return x++; } var a = 5; f(a) + ',' + a"},
    {"postfixcasestmt1", "3",
     "var x = 1; switch(x) { case 1: x++; case 2: x++; break; case 3: x = 100; } x"},
    {"postfixcasestmt2", "one2",
     "var x = 1; var r; switch(x++) { case 1: r = 'one' + x; break; case 2: r = 'two'; } r"},
    {"postfixcasestmt3", "b6",
     "var x = 5; var r = ''; switch(6) { case x++: r = 'a'; break; case x: r = 'b'; break; } r "
     "+ x"},
    {"postfixdefaultstmt", "3",
     "var x = 1; switch(7) { case 1: x = 100; break; default: x++; x++; } x"},
    {"postfixforloop", "6,4", "var i = 0, n = 0; for (; i++ < 3; ) n += i; n + ',' + i"},
    {"postfixforeachloop", "0;1;2;3",
     "var i = 0; var r = ''; foreach (var x in [i++, i++, i++]) r += x + ';'; r + i"},
    {"postfixvardef1", "13|10|10|10",
     "var n = 10; var v1 = n++, v2=n++,v3=n++; n+'|'+v1+'|'+v2+'|'+v3;"},
    {"postfixvardef2", "13|11|12|13",
     "var n = 10; var v1 = ++n, v2=++n,v3=++n; n+'|'+v1+'|'+v2+'|'+v3;"},
    {"postfixtrycatch1", "3", "var x = 1; try { x++; 3/0; } catch(var e) { x++; } x"},
    {"postfixtrycatch2", "2", "var x = 1; try { var y = x++ + 3/0; } catch(var e) { } x"},
};

} // namespace

std::span<const CatalogueRow> incrementrows() {
    return rows;
}

} // namespace vornscriptunittests
