// Catalogue group: live data of the "usertest" extension (the persons list,
// the tickcount clock) and its functions cube and newperson. Debug texts
// carry addresses, so those rows replace every hex number by zeros first.
#include "selftests/catalogue.h"

namespace vornscriptunittests {

namespace {

#define ZEROADDRESSES(expression) "substitute(" expression ", '0x[0-9A-Fa-f]+', '0x00000000', 'g')"

const CatalogueRow rows[] = {
    {"live userextension getsummary",
     "UserExtension usertest\n\nconstants:\nMYUSERCONSTANT\n\nlive "
     "variables:\ntickcount\npeople\n\n"
     "functions:\ncube(x)\nnewperson()\n",
     "getlibrarysummary('usertest')"},
    {"live systemtimevariable", "1",
     "var t1 = tickcount; var t2 = tickcount; var t3 = tickcount; t1 > 1000 && t2 >= t1 && t3 >= "
     "t2"},
    {"live member function", "KELMIR", "persons[1].name.toupper()"},
    {"live structure tostring", "{color: 'blue', day: 13, month: 5, name: 'dorvash', year: 1967}",
     "persons[0]"},
    {"live structure member", "kelmir 1968", "persons[1].name + ' ' + persons[1].year"},
    {"live structure size", "5", "length(persons[0])"},
    {"live vector info", "OBJECT TYPE=vector L-VALUE NAME=persons data=0x00000000 LivePersonList",
     ZEROADDRESSES("persons.getdebuginfo()")},
    {"live structure info", "OBJECT TYPE=structure L-VALUE NAME=p data=0x00000000 LivePerson",
     "var p = persons[0]; " ZEROADDRESSES("p.getdebuginfo()")},
    {"live foreach info", "dorvash kelmir isolet ",
     "var text = ''; foreach (var p in persons) text += p.name + ' '; text"},
    {"live foreach vector", "5878",
     "var years = 0; foreach (var p in persons) years += p.year; years"},
    {"live insert structure",
     "{car: 'porsche', color: 'blue', day: 13, month: 5, name: 'dorvash', year: 1967}",
     "persons[0].car = 'porsche'; persons[0]"},
    {"live insert structure", "velmar 2001 4",
     "var p = newperson(); p.name = 'velmar'; p.year = 2001; push(persons, p);\n"
     "persons[3].name + ' ' + persons[3].year + ' ' + length(persons)"},
    {"live insert vector element", "first dorvash 4",
     "var p = newperson(); p.name = 'first'; insert(persons, 0, p);\n"
     "persons[0].name + ' ' + persons[1].name + ' ' + length(persons)"},
    {"live structure members", "name(dorvash) day(13) month(5) year(1967) color(blue)",
     "var text = ''; var p = persons[0];\n"
     "foreach (var key in p) text += key + '(' + p[key] + ') ';\ntrim(text)"},
    {"live variable func param const", "3",
     "function change(x) { x = 666; }\nvar count = length(persons); change(count); count"},
    {"live variable func param ref", "666",
     "function change(&x) { x = 666; }\nchange(persons[0].day); persons[0].day"},
    {"live cast to structure",
     "OBJECT TYPE=structure L-VALUE NAME=s data=0x00000000 FIELDS(5)= color day month name year",
     "var s = (structure)(persons[0]); " ZEROADDRESSES("s.getdebuginfo()")},
    {"live cast to vector", "OBJECT TYPE=vector L-VALUE NAME=v data=0x00000000 SIZE=3",
     "var v = (vector)persons; " ZEROADDRESSES("v.getdebuginfo()")},
    {"live variable func structure param autoref", "666",
     "function change(p) { p.year = 666; }\nchange(persons[0]); persons[0].year"},
    {"live variable func structure param ref", "666",
     "function change(&p) { p.year = 666; }\nchange(persons[1]); persons[1].year"},
    {"live variable for", "dorvash,kelmir,isolet,",
     "var names = '';\nfor (var i = 0; i < length(persons); i++) names += persons[i].name + ',';\n"
     "names"},
    {"live variable foreach", "greengreengreen",
     "foreach (var p in persons) p.color = 'green';\n"
     "persons[0].color + persons[1].color + persons[2].color"},
    {"userfunctionerr",
     "<error> userfunctionerr Line 1 Col 16 function cube requires a number as argument",
     "var x = \"six\"; cube(x)"},
    {"userfunctioncube", "-216", "var x = -6; cube(x)"},
    {"memberuserfunctioncube", "-216", "var x = -6; x.cube()"},
    {"sysfuncsortcomparelifefunc", "isolet dorvash kelmir",
     "function compareyear(a, b) { return a.year < b.year; }\n"
     "var sorted = sort(persons, 'compareyear');\n"
     "sorted[0].name + ' ' + sorted[1].name + ' ' + sorted[2].name"},
};

#undef ZEROADDRESSES

} // namespace

std::span<const CatalogueRow> livedatarows() {
    return rows;
}

} // namespace vornscriptunittests
