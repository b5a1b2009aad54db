// The self-test machinery: registry checks and failure lines, selection, the
// end-of-run report, the catalogue runner's captured fields and the live
// data handlers of the test extension with their messages.
#include "driver/selftestrun.h"
#include "selftests/livedata.h"
#include "selftests/selftestsuites.h"
#include "selftests/testcontext.h"
#include "selftests/testextension.h"
#include "selftests/unittestregistry.h"
#include "support/largestack.h"
#include "values/scriptobject.h"

#include <gtest/gtest.h>

#include <sstream>

namespace vornscriptunittests {
namespace {

using vornscript::vornunittest;

TEST(UnitTestRegistry, ChecksCountAndWriteFailureLines) {
    vornunittest registry;
    EXPECT_TRUE(registry.areequal("same", "abc", "abc"));
    EXPECT_FALSE(registry.areequal("text", "a\tb'", "a\nb"));
    EXPECT_FALSE(registry.areequalvalues("whole", -3, 4));
    EXPECT_FALSE(registry.areequalbool("flag", true, false));
    EXPECT_TRUE(registry.arenearvalues("near", 1.0, 1.05, 0.1));
    EXPECT_FALSE(registry.arenearvalues("far", 1.5, 1.25, 0.1));
    registry.fail("always", "file does not exist");
    EXPECT_EQ(registry.checkcount(), 7u);
    EXPECT_EQ(registry.failures(), "unit test text failed:  result=a\\tb\\'  correct=a\\nb\n"
                                   "unit test whole failed:  result=-3  correct=4\n"
                                   "unit test flag failed:  result=true  correct=false\n"
                                   "unit test far failed:  result=1.5  correct=1.25\n"
                                   "unit test always failed:  file does not exist\n");
    EXPECT_FALSE(registry.resultsread());
    registry.fetchresults();
    EXPECT_TRUE(registry.resultsread());
    registry.clear();
    EXPECT_EQ(registry.checkcount(), 0u);
    EXPECT_EQ(registry.failures(), "");
}

TEST(UnitTestRegistry, SelectionIsACaseSensitiveSubstring) {
    const struct {
        const char* filter;
        const char* name;
        bool selected;
    } rows[] = {
        {"", "testnull", true},
        {"all", "testnull", true},
        {"print", "sysfuncprint3", true},
        {"print", "testoutputofprinterror2", true},
        {"Print", "sysfuncprint3", false},
        {"print*", "sysfuncprint3", false},
        {"testnull", "testnul", false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(vornunittest::isselected(row.filter, row.name), row.selected)
            << row.filter << " / " << row.name;
    }
}

TEST(UnitTestRegistry, RunAllMapsAllAndStopsAfterAnAbortingSuite) {
    static std::string seenfilter;
    vornunittest registry;
    registry.addsuite([](vornunittest& self, const std::string& filter) {
        seenfilter = filter;
        self.areequal("first", "x", "y");
        return false;
    });
    registry.addsuite([](vornunittest& self, const std::string&) {
        self.areequal("never", "x", "y");
        return true;
    });
    EXPECT_FALSE(registry.runall("all"));
    EXPECT_EQ(seenfilter, "");
    EXPECT_EQ(registry.failures(), "unit test first failed:  result=x  correct=y\n"
                                   "error: unittests have been aborted\n");
    // A new run starts with an empty failure text; the count goes on.
    vornunittest passing;
    passing.addsuite([](vornunittest& self, const std::string&) {
        self.areequal("ok", "x", "x");
        return true;
    });
    EXPECT_TRUE(passing.runall("ok"));
    EXPECT_TRUE(passing.runall("ok"));
    EXPECT_EQ(passing.checkcount(), 2u);
}

TEST(SelfTestReport, OutcomesStreamsAndExitCodes) {
    vornunittest registry;
    const auto report = [&registry](bool succeeded, std::string& out, std::string& err) {
        std::ostringstream outstream;
        std::ostringstream errstream;
        const int code = vornscript::reportselftests(succeeded, registry, outstream, errstream);
        out = outstream.str();
        err = errstream.str();
        return code;
    };
    std::string out;
    std::string err;
    EXPECT_EQ(report(true, out, err), 0);
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "warning: no matching unit tests found\n");
    registry.areequal("a", "1", "1");
    registry.areequal("b", "1", "1");
    EXPECT_EQ(report(true, out, err), 0);
    EXPECT_EQ(out, "2 unit tests successful\n");
    registry.areequal("c", "1", "2");
    EXPECT_EQ(report(false, out, err), 1);
    EXPECT_EQ(out, "unit tests failed\nunit test c failed:  result=1  correct=2\n\n");
    EXPECT_EQ(err, "");
}

// Runs one catalogue script on the interpreter's stack.
std::string runrow(TestScriptRunner& runner, const std::string& name, const std::string& script) {
    std::string result;
    vornscript::runwithlargestack([&] {
        result = runner.runscript(name, script);
        return 0;
    });
    return result;
}

TEST(TestScriptRunner, CapturesOutputsLogAndExitCode) {
    TestScriptRunner runner;
    EXPECT_EQ(runrow(runner, "p",
                     "print('abc'); printerror('err'); logmessage('one');"
                     "logmessage('two'); 7"),
              "7");
    EXPECT_EQ(runner.output, "abc");
    EXPECT_EQ(runner.erroroutput, "err");
    EXPECT_EQ(runner.logmessage, "two");
    EXPECT_EQ(runner.exitcode, -1);
    EXPECT_EQ(runner.sourcename, "p");

    runrow(runner, "sysfuncexit", "exit('-17')");
    EXPECT_EQ(runner.exitcode, -17);
    EXPECT_EQ(runner.output, "");
    EXPECT_EQ(runner.logmessage, "");
}

TEST(TestScriptRunner, ResultTexts) {
    const struct {
        const char* name;
        const char* script;
        const char* expected;
    } rows[] = {
        {"testnull", "null", ""},
        {"testzero1", "0.00", "0.00"},
        {"sysfuncdie", "die('abort')", "<error> sysfuncdie Line 1 Col 1 abort"},
        {"include", "include('myinclude.vornscript'); myincludedfunc(16)", "4"},
        {"constant", "MYUSERCONSTANT", "my user value"},
        {"fresh", "persons[0].name = 'changed'; persons[0].name", "changed"},
        {"fresh2", "persons[0].name", "dorvash"},
        {"cubedouble", "cube(1.5)", "3.375000"},
        {"tickassign", "tickcount = 5;",
         "<error> tickassign Line 1 Col 1 SystemTimeVar setstring not supported"},
    };
    TestScriptRunner runner;
    for (const auto& row : rows) {
        EXPECT_EQ(runrow(runner, row.name, row.script), row.expected) << row.name;
    }
}

// Rows that expect a remainder with the sign of the dividend, as an
// interpreter with that rule would give: the catalogue reports exactly the
// rows whose operands have different signs, with their failure lines.
TEST(TestScriptRunner, ReportsTheRowsABrokenRuleWouldFail) {
    const CatalogueRow truncatingremainder[] = {
        {"modulonegpos", "-1", "-13 % 4"},
        {"modulopospos", "1", "13 % 4"},
        {"modulonegneg", "-1", "-13 % -4"},
        {"moduloposgneg", "1", "13 % -4"},
    };
    vornunittest registry;
    TestScriptRunner runner;
    vornscript::runwithlargestack([&] {
        runcataloguerows(registry, "modulo", runner, truncatingremainder);
        return 0;
    });
    EXPECT_EQ(registry.checkcount(), 4u);
    EXPECT_EQ(registry.failures(), "unit test modulonegpos failed:  result=3  correct=-1\n"
                                   "unit test moduloposgneg failed:  result=-3  correct=1\n");
}

TEST(TestUserExtension, SummaryText) {
    TestUserExtension extension("usertest");
    EXPECT_EQ(extension.getsummary(),
              "UserExtension usertest\n\nconstants:\nMYUSERCONSTANT\n\nlive variables:\n"
              "tickcount\npeople\n\nfunctions:\ncube(x)\nnewperson()\n");
    EXPECT_TRUE(extension.finduserfunction("cube", 1));
    EXPECT_FALSE(extension.finduserfunction("cube", 2));
    EXPECT_TRUE(extension.finduserfunction("newperson", 0));
}

TEST(LiveData, HandlerMessagesAndClassNames) {
    std::string error;
    VornScriptObjectPtr element;
    int64_t size = 0;

    LivePersonList nolist{LivePersonListDataPtr()};
    EXPECT_FALSE(nolist.vectorsize(size, error));
    EXPECT_EQ(error, "livelist is null");

    LivePersonList list(makesamplepersons());
    EXPECT_FALSE(list.accessvectorelement(4, element, error));
    EXPECT_EQ(error, "invalid index");
    EXPECT_FALSE(list.accessvectorelement(-1, element, error));
    EXPECT_TRUE(list.getvectorelement(7, element, error));
    EXPECT_FALSE(element);
    EXPECT_EQ(list.debuginfo(), "LivePersonList");

    ASSERT_TRUE(list.accessvectorelement(2, element, error));
    auto& person = static_cast<LivePerson&>(*element->getdatahandler());
    std::vector<std::string> names;
    ASSERT_TRUE(person.getstructurefields(names, error));
    EXPECT_EQ(names, (std::vector<std::string>{"name", "day", "month", "year", "color"}));
    EXPECT_EQ(person.tostring(), "{color: 'pink', day: 11, month: 6, name: 'isolet', year: 1943}");
    EXPECT_EQ(person.debuginfo(), "LivePerson");
    EXPECT_FALSE(person.getstructuremember("car", element, error));
    EXPECT_EQ(error, "structure does not contain field car");

    LivePersonInfo norecord(LivePersonRecordPtr(), "name");
    std::string text;
    EXPECT_FALSE(norecord.getstring(text, error));
    EXPECT_EQ(error, "no record");
    LivePersonInfo nofield(person.record(), "shoe");
    EXPECT_FALSE(nofield.setstring("x", error));
    EXPECT_EQ(error, "record does not contain field shoe");
    EXPECT_EQ(nofield.debuginfo(), "LivePersonInfo");

    SystemTimeVar clock;
    ASSERT_TRUE(clock.getstring(text, error));
    EXPECT_GT(std::stoll(text), 1000);
    EXPECT_FALSE(clock.setstring("1", error));
    EXPECT_EQ(error, "SystemTimeVar setstring not supported");
    EXPECT_EQ(clock.debuginfo(), "SystemTimeVar");
}

TEST(LiveData, PushPopAndInsertWorkOnTheSharedList) {
    LivePersonListDataPtr data = makesamplepersons();
    LivePersonList list(data);
    std::string error;
    // A plain structure becomes a new record holding its member texts.
    VornScriptObjectPtr plain = vornscript::makevalueoftype(vornscript::VornObjectType::structure);
    ASSERT_TRUE(plain->insertstructuremember("name", vornscript::makestringvalue("ada"), error));
    ASSERT_TRUE(list.insertvectorelement(0, plain, error));
    EXPECT_EQ(*data->persons[0]->find("name"), "ada");
    EXPECT_FALSE(list.pushvectorelement(vornscript::makestringvalue("x"), false, error));
    EXPECT_EQ(error, "structure expected");
    VornScriptObjectPtr popped;
    ASSERT_TRUE(list.popvectorelement(popped, error));
    EXPECT_EQ(popped->tostring(), "{color: 'pink', day: 11, month: 6, name: 'isolet', year: 1943}");
    EXPECT_EQ(data->persons.size(), 3u);
    // A LivePerson value is pushed as its own record, shared.
    ASSERT_TRUE(list.pushvectorelement(popped, false, error));
    EXPECT_EQ(data->persons.back().get(),
              static_cast<LivePerson&>(*popped->getdatahandler()).record().get());
}

} // namespace
} // namespace vornscriptunittests
