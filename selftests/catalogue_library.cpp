// Catalogue group: the test plug-in library vornscripttestlibrary, loaded by
// every row (each row runs in a fresh context). Its live variable users
// mirrors the persons of the in-process extension, so these rows repeat the
// live-data rows through the plug-in exports.
#include "selftests/catalogue.h"

namespace vornscriptunittests {

namespace {

#define LOAD "uselibrary('vornscripttestlibrary'); "
#define ZEROADDRESSES(expression) "substitute(" expression ", '0x[0-9A-Fa-f]+', '0x00000000', 'g')"

const CatalogueRow rows[] = {
    {"library found", "1", "uselibrary('vornscripttestlibrary')"},
    {"library librarygetsummary", "1",
     LOAD "containstext(getlibrarysummary('vornscripttestlibrary'), 'multiply(a,b,...)')"},
    {"library constant", "my lib value", LOAD "MYLIBCONSTANT"},
    {"library live systemtimevariable", "1",
     LOAD "var t1 = tickcount; var t2 = tickcount; var t3 = tickcount; t1 > 1000 && t2 >= t1 && "
          "t3 >= t2"},
    // The call stands at column 50.
    {"library userfunctionerr",
     "<error> library userfunctionerr Line 1 Col 50 double value expected",
     "uselibrary('vornscripttestlibrary');var x=\"six\"; sum(x)"},
    {"library userfunctionsum", "275", LOAD "var x = -6; sum(x,13,27,59,81,101)"},
    {"library function call with variable args", "360", LOAD "multiply(3,4,5,6)"},
    {"library live member function", "KELMIR", LOAD "users[1].name.toupper()"},
    {"library live structure tostring",
     "{color: 'blue', day: 13, month: 5, name: 'dorvash', year: 1967}", LOAD "users[0]"},
    {"library live structure member", "kelmir 1968", LOAD "users[1].name + ' ' + users[1].year"},
    {"library live structure size", "5", LOAD "length(users[0])"},
    {"library live vector info",
     "OBJECT TYPE=vector L-VALUE NAME=users data=0x00000000 LivePersonList",
     LOAD ZEROADDRESSES("users.getdebuginfo()")},
    {"library live structure info",
     "OBJECT TYPE=structure L-VALUE NAME=p data=0x00000000 LivePerson",
     LOAD "var p = users[0]; " ZEROADDRESSES("p.getdebuginfo()")},
    {"library live foreach info", "dorvash kelmir isolet ",
     LOAD "var text = ''; foreach (var p in users) text += p.name + ' '; text"},
    {"library live foreach vector", "5878",
     LOAD "var years = 0; foreach (var p in users) years += p.year; years"},
    {"library live insert structure",
     "{car: 'porsche', color: 'blue', day: 13, month: 5, name: 'dorvash', year: 1967}",
     LOAD "users[0].car = 'porsche'; users[0]"},
    {"library live insert structure", "velmar 2001 4",
     LOAD "var p = newuser(); p.name = 'velmar'; p.year = 2001; push(users, p);\n"
          "users[3].name + ' ' + users[3].year + ' ' + length(users)"},
    {"library live insert vector element", "first dorvash 4",
     LOAD "var p = newuser(); p.name = 'first'; insert(users, 0, p);\n"
          "users[0].name + ' ' + users[1].name + ' ' + length(users)"},
    {"library live structure members", "name(dorvash) day(13) month(5) year(1967) color(blue)",
     LOAD "var text = ''; var p = users[0];\n"
          "foreach (var key in p) text += key + '(' + p[key] + ') ';\ntrim(text)"},
    {"library live variable func param const", "3",
     LOAD "function change(x) { x = 666; }\nvar count = length(users); change(count); count"},
    {"library live variable func param ref", "666",
     LOAD "function change(&x) { x = 666; }\nchange(users[0].day); users[0].day"},
    {"library live cast to structure",
     "OBJECT TYPE=structure L-VALUE NAME=s data=0x00000000 FIELDS(5)= color day month name year",
     LOAD "var s = (structure)(users[0]); " ZEROADDRESSES("s.getdebuginfo()")},
    {"library live cast to vector", "OBJECT TYPE=vector L-VALUE NAME=v data=0x00000000 SIZE=3",
     LOAD "var v = (vector)users; " ZEROADDRESSES("v.getdebuginfo()")},
    {"library live variable func structure param autoref", "666",
     LOAD "function change(p) { p.year = 666; }\nchange(users[0]); users[0].year"},
    {"library live variable func structure param ref", "666",
     LOAD "function change(&p) { p.year = 666; }\nchange(users[1]); users[1].year"},
    {"library live variable for", "dorvash,kelmir,isolet,",
     LOAD "var names = '';\nfor (var i = 0; i < length(users); i++) names += users[i].name + "
          "',';\nnames"},
    {"library live variable foreach", "greengreengreen",
     LOAD "foreach (var p in users) p.color = 'green';\n"
          "users[0].color + users[1].color + users[2].color"},
    {"library sysfuncsortcomparelifefunc", "isolet dorvash kelmir",
     LOAD "function compareyear(a, b) { return a.year < b.year; }\n"
          "var sorted = sort(users, 'compareyear');\n"
          "sorted[0].name + ' ' + sorted[1].name + ' ' + sorted[2].name"},
};

#undef ZEROADDRESSES
#undef LOAD

} // namespace

std::span<const CatalogueRow> libraryrows() {
    return rows;
}

} // namespace vornscriptunittests
