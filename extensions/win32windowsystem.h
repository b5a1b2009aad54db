// The window system under the win32 extension: X11 windows for the
// extension's window class and for buttons, their messages, the message
// loop and synthetic keystrokes (XTest). Handles are the X window ids.
// Design: the display opens on the first window (or keystroke), with libX11
// and libXtst loaded by dlopen then, so the program neither pays for them at
// start nor needs them to run; without a display creating fails. While the
// display is open the layer is the thread's message source (messagepump.h),
// so wait and allowmessageprocessing dispatch window messages.
#pragma once

#include "support/messagepump.h"
#include "support/refcounted.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace vornscript {

// What the extension's window procedure does with the messages of its
// windows. Each call may run script code and may throw a script error.
class Win32WindowProcedure {
public:
    virtual ~Win32WindowProcedure() = default;
    // WM_LBUTTONDOWN: a left click at x, y in the window.
    virtual void onlbuttondown(uint64_t window, int32_t x, int32_t y) = 0;
    // WM_COMMAND: a child (a button) with [id] was clicked, code [command].
    virtual void oncommand(uint64_t window, int32_t id, int32_t command) = 0;
    // WM_DESTROY: the window is gone.
    virtual void ondestroy(uint64_t window) = 0;
};

struct Win32WindowOptions {
    std::string caption;
    bool button = false; // the button class, else the extension's class
    uint64_t parent = 0;
    int64_t id = 0;
    uint32_t style = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 640;
    int32_t height = 480;
};

class Win32WindowSystem final : public VornRefCounted, public VornMessageSource {
public:
    Win32WindowSystem();
    ~Win32WindowSystem() override;
    Win32WindowSystem(const Win32WindowSystem&) = delete;
    Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

    void setprocedure(Win32WindowProcedure* procedure) { procedure_ = procedure; }
    // Destroys every window and closes the display (the owner goes).
    void shutdown();
    // Opens the display when it is not open yet; false when there is none.
    bool connect();

    // The new window's handle, 0 when it cannot be made (no display, a
    // top-level window with WS_CHILD, a parent that is not a window).
    uint64_t createwindow(const Win32WindowOptions& options);
    bool iswindow(uint64_t window);
    bool gettext(uint64_t window, std::string& text);
    bool settext(uint64_t window, const std::string& text);
    bool getsize(uint64_t window, int64_t& width, int64_t& height);
    // The style bits; WS_VISIBLE follows whether the window is mapped.
    uint32_t getstyle(uint64_t window);
    void setstyle(uint64_t window, uint32_t style);
    // Show and hide answer whether the window was visible before.
    bool show(uint64_t window, bool visible);
    bool focus(uint64_t window);
    bool minimize(uint64_t window);
    // Destroys the window and its children; the procedure sees WM_DESTROY
    // of each window of the extension's class, which posts quit (code 1).
    bool destroy(uint64_t window);

    // Presses or releases a virtual key; false without a display or XTest.
    bool sendkey(uint8_t key, bool press);
    // A left click at x, y of the window (XTest), for tests and scripts that drive windows.
    bool click(uint64_t window, int32_t x, int32_t y);

    // Runs until the quit message and answers its code; 0 at once when
    // no window of the extension's class exists that could post it.
    int64_t messageloop();
    bool dispatchpending(int limit) override;

private:
    struct Display;
    struct WindowState {
        bool button = false;
        uint64_t parent = 0;
        int64_t id = 0;
        uint32_t style = 0;
        std::string caption; // drawn in buttons
    };

    bool dispatchone();
    void forget(uint64_t window);
    void drawbutton(uint64_t window);
    bool hasclasswindow() const;

    std::unique_ptr<Display> display_;
    std::map<uint64_t, WindowState> windows_;
    Win32WindowProcedure* procedure_ = nullptr;
    bool quitposted_ = false;
    int64_t quitcode_ = 0;
};
using Win32WindowSystemPtr = VornRef<Win32WindowSystem>;

} // namespace vornscript
