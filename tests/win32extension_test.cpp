// The win32 extension as scripts see it without a window system: its
// constants, its summary, the checks of its arguments, and window creation
// failing cleanly when there is no display.
#include "filetestsupport.h"
#include "scripttesthelper.h"

#include <sys/wait.h>
#include <unistd.h>

namespace vornscriptunittests {
namespace {

const char* const nodisplay = "test Line 1 Col ";

TEST(Win32Extension, ConstantsHaveTheirStandardValuesAndAliases) {
    checkcases({
        {"win32::WS_OVERLAPPEDWINDOW", "13565952"},
        {"win32::WS_OVERLAPPEDWINDOW | win32::WS_VISIBLE", "282001408"},
        {"win32::WS_TILEDWINDOW == win32::WS_OVERLAPPEDWINDOW", "1"},
        {"win32::WS_CHILDWINDOW == win32::WS_CHILD", "1"},
        {"win32::WS_ICONIC == win32::WS_MINIMIZE", "1"},
        {"win32::WS_SIZEBOX == win32::WS_THICKFRAME", "1"},
        {"win32::WS_TILED == win32::WS_OVERLAPPED", "1"},
        {"win32::WS_POPUPWINDOW", "2156396544"},
        {"win32::BS_VCENTER", "3072"},
        {"win32::BS_TYPEMASK", "15"},
        {"win32::IDOK + win32::IDNO", "8"},
    });
}

TEST(Win32Extension, SummaryListsConstantsAndFunctionsWithTheirHelpTexts) {
    const std::string summary = runtestscript("getlibrarysummary('WIN32')");
    EXPECT_EQ(summary.rfind("UserExtension WIN32\n\nconstants:\nwin32::WS_OVERLAPPED\n", 0), 0u)
        << summary;
    EXPECT_NE(summary.find("win32::IDNO\n\nfunctions:\nwin32::MessageBox(options)\n"
                           "win32::UseWindow(handle)\nwin32::CreateWindow(options)\n"
                           "win32::CreateButton(options)\n"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("win32::onCommand(window,func)\nwin32::MessageLoop()\n"
                           "win32::SendKeys(keys)\n"),
              std::string::npos)
        << summary;
}

TEST(Win32Extension, ArgumentsAreCheckedBeforeAnyWindowIsTouched) {
    EnvironmentOverride display("DISPLAY", nullptr);
    const std::pair<const char*, const char*> cases[] = {
        {"win32::CreateWindow(5)", "structure parameter is required"},
        {"win32::MessageBox('hello')", "structure parameter is required"},
        {"win32::ShowWindow(5)", "Win32Window expected"},
        {"win32::DestroyWindow({a: 1})", "Win32Window handler expected"},
        {"win32::onClose([1], 'f')", "Win32Window expected"},
        {"win32::UseWindow('abc')", "window handle must be a number"},
        {"win32::UseWindow(12345)", "window handle is not existing"},
        {"win32::CreateWindow({parent: 'abc'})", "window handle must be a number"},
        {"win32::CreateWindow({parent: 4711})", "window handle does not exist"},
        {"win32::CreateWindow({width: 'wide'})", "window option width: integer value expected"},
        {"win32::onCloseWindow(1, 'f')", "not implemented"},
        {"win32::SendKeys('{F13}')", "unknown key name: F13"},
        {"win32::CreateWindow({caption: 'x'})", "creating window failed"},
        {"win32::CreateButton({caption: 'x'})", "creating window failed"},
        {"win32::SendKeys('a')", "sending keys failed"},
    };
    for (const auto& [script, message] : cases) {
        const std::string result = runtestscript(script);
        EXPECT_EQ(result.rfind(std::string("<error> ") + nodisplay, 0), 0u) << script;
        EXPECT_TRUE(result.ends_with(std::string(" ") + message)) << script << ": " << result;
    }
}

// Calls reach the extension only by exact name and argument count; other
// names, including near misses, go on to the script and system functions.
TEST(Win32Extension, FunctionsAnswerOnlyTheirExactNameAndArgumentCount) {
    const std::pair<const char*, const char*> missing[] = {
        {"win32::ShowWindow()", "function win32::ShowWindow() not existing"},
        {"win32::showwindow(1)", "function win32::showwindow(a) not existing"},
        {"win32::MessageLoop(1)", "function win32::MessageLoop(a) not existing"},
    };
    for (const auto& [script, message] : missing) {
        const std::string result = runtestscript(script);
        EXPECT_TRUE(result.ends_with(message)) << script << ": " << result;
    }
    checkcases({{"size([1, 2]) + strlen('abc')", "5"}});
}

// In a child without terminal and display the box answers with its default
// button: OK, or with the type MB_YESNO | MB_DEFBUTTON2 the No button.
TEST(Win32Extension, MessageBoxYieldsTheButtonCode) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setsid();
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        const std::string result =
            runtestscript("win32::MessageBox({text: 'Go?', caption: 'Job'}) + '/' + "
                          "win32::MessageBox({text: 'Go?', caption: 'Job', type: 0x104})");
        ::_exit(result == "1/7" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Win32Extension, MessageLoopWithoutWindowsReturnsAtOnce) {
    EnvironmentOverride display("DISPLAY", nullptr);
    checkcases({{"win32::MessageLoop()", "0"}, {"var a = win32::WS_VISIBLE; a", "268435456"}});
}

} // namespace
} // namespace vornscriptunittests
