// Windows of the win32 extension on a virtual X server (Xvfb, started by the
// test; skipped when it cannot start): attributes, destroying, the message
// loop and its quit, and callbacks for real (XTest) clicks.
#include "extensions/win32windowsystem.h"
#include "filetestsupport.h"
#include "scripttesthelper.h"
#include "virtualdisplay.h"

#include <chrono>
#include <thread>

namespace vornscriptunittests {
namespace {

class Win32Display : public ::testing::Test {
protected:
    void SetUp() override {
        if (!onpath("Xvfb")) {
            GTEST_SKIP() << "Xvfb is not installed: windows are not tested";
        }
        server_ = std::make_unique<VirtualDisplay>();
        if (server_->name().empty()) {
            GTEST_SKIP() << "Xvfb did not start: windows are not tested";
        }
        display_ = std::make_unique<EnvironmentOverride>("DISPLAY", server_->name().c_str());
    }

    std::unique_ptr<VirtualDisplay> server_;
    std::unique_ptr<EnvironmentOverride> display_;
};

// A child process that clicks the left button at each root position in
// turn, every 100 ms for at most five seconds, so a script waiting for the
// clicks can never wait forever. The child is stopped when the object goes.
class Clicker {
public:
    explicit Clicker(std::vector<std::pair<int, int>> positions) {
        child_ = ::fork();
        if (child_ == 0) {
            vornscript::Win32WindowSystem windows;
            for (int round = 0; round < 50; ++round) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                const auto& [x, y] = positions[round % positions.size()];
                windows.click(0, x, y);
            }
            ::_exit(0);
        }
    }
    ~Clicker() {
        if (child_ > 0) {
            ::kill(child_, SIGKILL);
            ::waitpid(child_, nullptr, 0);
        }
    }
    Clicker(const Clicker&) = delete;
    Clicker& operator=(const Clicker&) = delete;

private:
    pid_t child_ = -1;
};

// Records the window procedure's calls as text.
class RecordingProcedure : public vornscript::Win32WindowProcedure {
public:
    void onlbuttondown(uint64_t, int32_t x, int32_t y) override {
        calls += "click " + std::to_string(x) + "," + std::to_string(y) + ";";
    }
    void oncommand(uint64_t, int32_t id, int32_t command) override {
        calls += "command " + std::to_string(id) + "/" + std::to_string(command) + ";";
    }
    void ondestroy(uint64_t window) override { calls += "destroy " + name(window) + ";"; }
    std::string name(uint64_t window) const {
        for (const auto& [handle, text] : names) {
            if (handle == window) {
                return text;
            }
        }
        return "?";
    }

    std::string calls;
    std::vector<std::pair<uint64_t, std::string>> names;
};

// Destroying a window takes its children along: each window of the
// program's class sees WM_DESTROY once, parents first; buttons post no quit.
TEST_F(Win32Display, DestroyingAParentDestroysItsChildrenAndPostsQuit) {
    RecordingProcedure procedure;
    vornscript::Win32WindowSystem windows;
    windows.setprocedure(&procedure);
    vornscript::Win32WindowOptions options;
    options.style = 0x10CF0000;
    const uint64_t parent = windows.createwindow(options);
    ASSERT_NE(parent, 0u);
    options.parent = parent;
    options.style = 0x50000000;
    const uint64_t inner = windows.createwindow(options);
    options.button = true;
    const uint64_t button = windows.createwindow(options);
    ASSERT_NE(inner, 0u);
    ASSERT_NE(button, 0u);
    procedure.names = {{parent, "parent"}, {inner, "inner"}, {button, "button"}};

    EXPECT_TRUE(windows.destroy(parent));
    EXPECT_EQ(procedure.calls, "destroy parent;destroy inner;");
    EXPECT_FALSE(windows.iswindow(parent) || windows.iswindow(inner) || windows.iswindow(button));
    EXPECT_TRUE(windows.dispatchpending(10));
    EXPECT_FALSE(windows.dispatchpending(10)) << "the quit is met once";
    EXPECT_FALSE(windows.destroy(parent));
    EXPECT_EQ(windows.messageloop(), 0) << "no window is left that could end the loop";

    options.parent = windows.createwindow({});
    const uint64_t alone = windows.createwindow(options);
    EXPECT_TRUE(windows.destroy(alone));
    EXPECT_FALSE(windows.dispatchpending(10)) << "a button posts no quit";
}

TEST_F(Win32Display, WindowAttributesReadAndWriteTheWindow) {
    checkcases({
        {"var w = win32::CreateWindow({name: 'main', caption: 'Hello', width: 300, height: 200});"
         "w.width + 'x' + w.height + ' ' + w.caption + ' ' + w.name + ' ' + (w.handle > 0)",
         "300x200 Hello main 1"},
        {"var w = win32::CreateWindow({caption: 'Hello'}); w.caption = 'Changed';"
         "w.windowtext + ' ' + w.width + 'x' + w.height",
         "Changed 640x480"},
        // Reads in order: visible style, hide (was visible), hidden style, show (was hidden).
        {"var w = win32::CreateWindow({}); var all = win32::WS_OVERLAPPEDWINDOW | "
         "win32::WS_VISIBLE;"
         "var r = [w.style == all]; push(r, win32::HideWindow(w));"
         "push(r, w.style == win32::WS_OVERLAPPEDWINDOW); push(r, win32::ShowWindow(w));"
         "push(r, w.style == all); r",
         "[1,1,1,0,1]"},
        {"var w = win32::CreateWindow({style: win32::WS_OVERLAPPEDWINDOW}); var r = 0 + w.style;"
         "w.style = r | win32::WS_VISIBLE; [r, w.style == (r | win32::WS_VISIBLE)]",
         "[13565952,1]"},
        {"var w = win32::CreateWindow({}); var names = ''; foreach (var n in w) names += n + ' '; "
         "names",
         "caption width height handle style "},
        {"var w = win32::CreateWindow({}); var u = win32::UseWindow(w.handle);"
         "u.caption = 'same'; w.caption + ' ' + win32::UseWindow('' + w.handle).caption",
         "same same"},
        {"var w = win32::CreateWindow({width: 200, height: 100});"
         "var b = win32::CreateButton({parent: w, caption: 'OK', x: 5, y: 5, width: 60, height: "
         "20});"
         "b.caption + ' ' + b.width + ' ' + ((b.style & win32::WS_CHILD) != 0)",
         "OK 60 1"},
    });
}

TEST_F(Win32Display, DestroyedWindowsFailWithTheirMessages) {
    const std::pair<const char*, const char*> cases[] = {
        {"var w = win32::CreateWindow({}); win32::DestroyWindow(w); var x; x = w.width",
         "Win32WindowAttributeLong::getstring()   window does not exist"},
        {"var w = win32::CreateWindow({}); var c = w.caption; win32::DestroyWindow(w); var x; x = "
         "c",
         "Win32WindowAttributeString::getstring()   window does not exist"},
        {"var w = win32::CreateWindow({}); var s = w.style; win32::DestroyWindow(w); s = 1",
         "Win32WindowAttributeLong::setstring()   window does not exist"},
        {"var w = win32::CreateWindow({}); win32::DestroyWindow(w); win32::ShowWindow(w)",
         "Window is not anymore existing"},
        {"var w = win32::CreateWindow({}); w.colour", "structure field not found: colour"},
        {"var w = win32::CreateWindow({}); w.width = 5",
         "Win32WindowAttributeLong::unknown attribute width"},
        {"win32::CreateWindow({style: win32::WS_CHILD})", "creating window failed"},
        {"win32::CreateWindow({classname: 'EDIT'})", "creating window failed"},
    };
    for (const auto& [script, message] : cases) {
        const std::string result = runtestscript(script);
        EXPECT_TRUE(result.ends_with(std::string(" ") + message)) << script << ": " << result;
    }
}

TEST_F(Win32Display, DestroyingAWindowCallsOnCloseAndEndsTheMessageLoop) {
    checkcases({
        {"var closed = ''; function onclosed(info) { ::closed += info.name; }"
         "var w = win32::CreateWindow({name: 'main', 'win32::onClose': 'onclosed'});"
         "win32::DestroyWindow(w); var code = win32::MessageLoop(); code + ' ' + closed",
         "1 main"},
        // wait and allowmessageprocessing see the quit of a destroyed window.
        {"var w = win32::CreateWindow({}); var b = win32::CreateButton({parent: w});"
         "win32::DestroyWindow(w); [allowmessageprocessing(), allowmessageprocessing(), wait(1)]",
         "[1,0,0]"},
    });
}

// Six presses and releases of 25 ms each and the pause of the group.
TEST_F(Win32Display, SendKeysPacesItsKeyEvents) {
    checkcases({{"var t = timemilliseconds(); var sent = win32::SendKeys('aA{DELAY=100}');"
                 "[sent, timemilliseconds() - t >= 250]",
                 "[1,1]"}});
}

TEST_F(Win32Display, ClicksCallTheirScriptFunctions) {
    // The window's client area starts at root 20,20; the button inside it at 100,50.
    Clicker clicker({{70, 50}, {140, 65}});
    EXPECT_EQ(runtestscript(
                  "var clicks = ''; var commands = '';"
                  "function clicked(p) { ::clicks = p.x + ',' + p.y; }"
                  "function command(c) { ::commands = c.id + '/' + c.cmd + '/' + (c.handle == "
                  "::w.handle); }"
                  "var w = win32::CreateWindow({x: 20, y: 20, width: 200, height: 100});"
                  "win32::onLButtonDown(w, 'clicked'); win32::onCommand(w, 'command');"
                  "win32::CreateButton({parent: w, id: 7, x: 80, y: 30, width: 80, height: 30});"
                  "var rounds = 0; while ((clicks == '' || commands == '') && rounds < 60) {"
                  "  wait(100); rounds++; }"
                  "win32::DestroyWindow(w); clicks + ' ' + commands + ' ' + win32::MessageLoop()"),
              "50,30 7/0/1 1");
}

} // namespace
} // namespace vornscriptunittests
