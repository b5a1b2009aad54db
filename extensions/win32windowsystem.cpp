// X11 windows for the win32 extension (see win32windowsystem.h). Xlib's
// default error handler ends the process, so a handler that only records the
// error is installed: a window id that is gone is an ordinary answer here
// (IsWindow is false), not a crash.
#include "extensions/win32windowsystem.h"

#include "extensions/win32constants.h"
#include "support/systemlibrary.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <poll.h>
#include <thread>
#include <vector>

// Xlib last: its macros (None, Bool, Status) must not meet other headers.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vornscript {

namespace {

// The libX11 and libXtst functions used, loaded by name.
#define VORN_X11_FUNCTIONS(X)                                                                      \
    X(XOpenDisplay)                                                                                \
    X(XCloseDisplay)                                                                               \
    X(XSetErrorHandler)                                                                            \
    X(XCreateSimpleWindow)                                                                         \
    X(XDestroyWindow)                                                                              \
    X(XMapWindow)                                                                                  \
    X(XUnmapWindow)                                                                                \
    X(XStoreName)                                                                                  \
    X(XFetchName)                                                                                  \
    X(XFree)                                                                                       \
    X(XGetWindowAttributes)                                                                        \
    X(XSelectInput)                                                                                \
    X(XPending)                                                                                    \
    X(XNextEvent)                                                                                  \
    X(XFlush)                                                                                      \
    X(XSync)                                                                                       \
    X(XInternAtom)                                                                                 \
    X(XSetWMProtocols)                                                                             \
    X(XSetInputFocus)                                                                              \
    X(XIconifyWindow)                                                                              \
    X(XKeysymToKeycode)                                                                            \
    X(XDefaultScreen)                                                                              \
    X(XRootWindow)                                                                                 \
    X(XWhitePixel)                                                                                 \
    X(XBlackPixel)                                                                                 \
    X(XDefaultGC)                                                                                  \
    X(XDrawString)                                                                                 \
    X(XDrawRectangle)                                                                              \
    X(XClearWindow)                                                                                \
    X(XConnectionNumber)                                                                           \
    X(XTranslateCoordinates)
#define VORN_XTEST_FUNCTIONS(X)                                                                    \
    X(XTestFakeKeyEvent)                                                                           \
    X(XTestFakeButtonEvent)                                                                        \
    X(XTestFakeMotionEvent)

struct Xlib {
    VORN_X11_FUNCTIONS(VORN_LIBRARY_POINTER)
    VORN_XTEST_FUNCTIONS(VORN_LIBRARY_POINTER)
    bool hasxtest = false;
};

// The loaded libraries, or nullptr when libX11 or one of its functions is
// missing; XTest is optional (only keystrokes and clicks need it). They
// stay loaded for the rest of the process.
const Xlib* loadxlib() {
    static const Xlib* const loaded = []() -> const Xlib* {
        void* library = loadsystemlibrary("libX11.so.6");
        if (library == nullptr) {
            return nullptr;
        }
        static Xlib xlib;
#define VORN_X_BIND(name) bindlibraryfunction(library, #name, xlib.name)&&
        if (!(VORN_X11_FUNCTIONS(VORN_X_BIND) true)) {
            return nullptr;
        }
        library = loadsystemlibrary("libXtst.so.6");
        xlib.hasxtest = library != nullptr && VORN_XTEST_FUNCTIONS(VORN_X_BIND) true;
#undef VORN_X_BIND
        return &xlib;
    }();
    return loaded;
}

// The code of the last X error; one thread, so a plain variable.
int lastxerror = 0;

int recordxerror(::Display*, XErrorEvent* event) {
    lastxerror = event->error_code;
    return 0;
}

// Named virtual keys and the key symbols that type them.
struct VirtualKeySymbol {
    uint8_t key;
    KeySym symbol;
};

constexpr VirtualKeySymbol virtualkeysymbols[] = {
    {0x08, XK_BackSpace},   {0x09, XK_Tab},          {0x0C, XK_Clear},
    {0x0D, XK_Return},      {0x10, XK_Shift_L},      {0x11, XK_Control_L},
    {0x12, XK_Alt_L},       {0x13, XK_Pause},        {0x14, XK_Caps_Lock},
    {0x1B, XK_Escape},      {0x20, XK_space},        {0x21, XK_Prior},
    {0x22, XK_Next},        {0x23, XK_End},          {0x24, XK_Home},
    {0x25, XK_Left},        {0x26, XK_Up},           {0x27, XK_Right},
    {0x28, XK_Down},        {0x29, XK_Select},       {0x2A, XK_Print},
    {0x2B, XK_Execute},     {0x2C, XK_Print},        {0x2D, XK_Insert},
    {0x2E, XK_Delete},      {0x2F, XK_Help},         {0x6A, XK_KP_Multiply},
    {0x6B, XK_KP_Add},      {0x6C, XK_KP_Separator}, {0x6D, XK_KP_Subtract},
    {0x6E, XK_KP_Decimal},  {0x6F, XK_KP_Divide},    {0xBA, XK_semicolon},
    {0xBB, XK_equal},       {0xBC, XK_comma},        {0xBD, XK_minus},
    {0xBE, XK_period},      {0xBF, XK_slash},        {0xC0, XK_grave},
    {0xDB, XK_bracketleft}, {0xDC, XK_backslash},    {0xDD, XK_bracketright},
    {0xDE, XK_apostrophe},
};

KeySym keysymbol(uint8_t key) {
    if (key >= 'A' && key <= 'Z') {
        return XK_a + (key - 'A');
    }
    if (key >= '0' && key <= '9') {
        return XK_0 + (key - '0');
    }
    if (key >= 0x60 && key <= 0x69) {
        return XK_KP_0 + (key - 0x60);
    }
    if (key >= 0x70 && key <= 0x7B) {
        return XK_F1 + (key - 0x70);
    }
    for (const VirtualKeySymbol& entry : virtualkeysymbols) {
        if (entry.key == key) {
            return entry.symbol;
        }
    }
    return NoSymbol;
}

constexpr long eventmask = ButtonPressMask | ButtonReleaseMask | ExposureMask | StructureNotifyMask;
// How long the message loop waits for the connection before it looks again.
constexpr int loopslicemilliseconds = 250;
// Further attempts to connect to a display that refused, and the pause before each.
constexpr int connectattempts = 10;
constexpr auto connectpause = std::chrono::milliseconds(20);
// BN_CLICKED, the command code of a clicked button.
constexpr int32_t buttonclicked = 0;

} // namespace

struct Win32WindowSystem::Display {
    const Xlib& x;
    ::Display* connection;
    Atom wmdelete;
    Atom wmprotocols;
    ::Window root() const { return x.XRootWindow(connection, x.XDefaultScreen(connection)); }
};

Win32WindowSystem::Win32WindowSystem() = default;

Win32WindowSystem::~Win32WindowSystem() {
    shutdown();
}

void Win32WindowSystem::shutdown() {
    // A quit its windows posted goes with them: the next window system starts unmarked.
    if (messagesource() == this) {
        setmessagesource(nullptr);
        clearquit();
    }
    windows_.clear();
    quitposted_ = false;
    if (display_) {
        display_->x.XCloseDisplay(display_->connection);
        display_.reset();
    }
}

bool Win32WindowSystem::connect() {
    if (display_) {
        return true;
    }
    const Xlib* x = loadxlib();
    if (x == nullptr) {
        return false;
    }
    ::Display* connection = x->XOpenDisplay(nullptr);
    // A server whose last client just left resets and refuses connections
    // for a moment (a bare Xvfb between two script runs): try a few times.
    const char* name = std::getenv("DISPLAY");
    for (int attempt = 0;
         connection == nullptr && name != nullptr && *name != '\0' && attempt < connectattempts;
         ++attempt) {
        std::this_thread::sleep_for(connectpause);
        connection = x->XOpenDisplay(nullptr);
    }
    if (connection == nullptr) {
        return false;
    }
    x->XSetErrorHandler(recordxerror);
    display_.reset(new Display{*x, connection,
                               x->XInternAtom(connection, "WM_DELETE_WINDOW", False),
                               x->XInternAtom(connection, "WM_PROTOCOLS", False)});
    return true;
}

uint64_t Win32WindowSystem::createwindow(const Win32WindowOptions& options) {
    const bool child = (options.style & WS_CHILD) != 0;
    if (!connect() || (child && options.parent == 0) ||
        (options.parent != 0 && !iswindow(options.parent))) {
        return 0;
    }
    const Xlib& x = display_->x;
    ::Display* connection = display_->connection;
    const int screen = x.XDefaultScreen(connection);
    lastxerror = 0;
    const ::Window window =
        x.XCreateSimpleWindow(connection, child ? options.parent : display_->root(), options.x,
                              options.y, static_cast<unsigned>(std::max(options.width, 1)),
                              static_cast<unsigned>(std::max(options.height, 1)), 0,
                              x.XBlackPixel(connection, screen), x.XWhitePixel(connection, screen));
    x.XSync(connection, False);
    if (window == 0 || lastxerror != 0) {
        return 0;
    }
    x.XSelectInput(connection, window, eventmask);
    if (!child) {
        Atom protocols[] = {display_->wmdelete};
        x.XSetWMProtocols(connection, window, protocols, 1);
    }
    x.XStoreName(connection, window, options.caption.c_str());
    windows_[window] = {options.button, child ? options.parent : 0, options.id, options.style,
                        options.caption};
    if ((options.style & WS_VISIBLE) != 0) {
        x.XMapWindow(connection, window);
    }
    x.XFlush(connection);
    if (messagesource() == nullptr) {
        setmessagesource(this);
    }
    return window;
}

bool Win32WindowSystem::iswindow(uint64_t window) {
    if (!display_ || window == 0 || window > 0x1FFFFFFF) {
        return false;
    }
    if (windows_.contains(window)) {
        return true;
    }
    XWindowAttributes attributes;
    lastxerror = 0;
    return display_->x.XGetWindowAttributes(display_->connection, window, &attributes) != 0 &&
           lastxerror == 0;
}

bool Win32WindowSystem::gettext(uint64_t window, std::string& text) {
    if (!iswindow(window)) {
        return false;
    }
    char* name = nullptr;
    lastxerror = 0;
    const Status fetched = display_->x.XFetchName(display_->connection, window, &name);
    text = fetched != 0 && name != nullptr ? name : "";
    if (name != nullptr) {
        display_->x.XFree(name);
    }
    return lastxerror == 0;
}

bool Win32WindowSystem::settext(uint64_t window, const std::string& text) {
    if (!iswindow(window)) {
        return false;
    }
    display_->x.XStoreName(display_->connection, window, text.c_str());
    if (auto state = windows_.find(window); state != windows_.end()) {
        state->second.caption = text;
        if (state->second.button) {
            drawbutton(window);
        }
    }
    display_->x.XFlush(display_->connection);
    return true;
}

bool Win32WindowSystem::getsize(uint64_t window, int64_t& width, int64_t& height) {
    XWindowAttributes attributes;
    lastxerror = 0;
    if (!iswindow(window) ||
        display_->x.XGetWindowAttributes(display_->connection, window, &attributes) == 0) {
        return false;
    }
    width = attributes.width + 2 * attributes.border_width;
    height = attributes.height + 2 * attributes.border_width;
    return true;
}

uint32_t Win32WindowSystem::getstyle(uint64_t window) {
    if (auto state = windows_.find(window); state != windows_.end()) {
        return state->second.style;
    }
    XWindowAttributes attributes;
    if (!iswindow(window) ||
        display_->x.XGetWindowAttributes(display_->connection, window, &attributes) == 0) {
        return 0;
    }
    return attributes.map_state == IsUnmapped ? 0 : WS_VISIBLE;
}

void Win32WindowSystem::setstyle(uint64_t window, uint32_t style) {
    if (!iswindow(window)) {
        return;
    }
    const bool visible = (style & WS_VISIBLE) != 0;
    if (visible != ((getstyle(window) & WS_VISIBLE) != 0)) {
        if (visible) {
            display_->x.XMapWindow(display_->connection, window);
        } else {
            display_->x.XUnmapWindow(display_->connection, window);
        }
        display_->x.XFlush(display_->connection);
    }
    if (auto state = windows_.find(window); state != windows_.end()) {
        state->second.style = style;
    }
}

bool Win32WindowSystem::show(uint64_t window, bool visible) {
    const uint32_t style = getstyle(window);
    setstyle(window, visible ? style | WS_VISIBLE : style & ~WS_VISIBLE);
    return (style & WS_VISIBLE) != 0;
}

bool Win32WindowSystem::focus(uint64_t window) {
    if (!iswindow(window)) {
        return false;
    }
    lastxerror = 0;
    display_->x.XSetInputFocus(display_->connection, window, RevertToParent, CurrentTime);
    display_->x.XSync(display_->connection, False);
    return lastxerror == 0;
}

bool Win32WindowSystem::minimize(uint64_t window) {
    if (!iswindow(window)) {
        return false;
    }
    const Status done = display_->x.XIconifyWindow(
        display_->connection, window, display_->x.XDefaultScreen(display_->connection));
    display_->x.XFlush(display_->connection);
    return done != 0;
}

bool Win32WindowSystem::destroy(uint64_t window) {
    if (!iswindow(window)) {
        return false;
    }
    // The window and, parents before children, every window of ours inside it.
    std::vector<uint64_t> gone = {window};
    for (size_t index = 0; index < gone.size(); ++index) {
        for (const auto& [handle, state] : windows_) {
            if (state.parent == gone[index]) {
                gone.push_back(handle);
            }
        }
    }
    std::vector<uint64_t> classwindows;
    for (uint64_t handle : gone) {
        if (auto state = windows_.find(handle); state != windows_.end()) {
            if (!state->second.button) {
                classwindows.push_back(handle);
            }
            windows_.erase(state);
        }
    }
    display_->x.XDestroyWindow(display_->connection, window);
    display_->x.XFlush(display_->connection);
    // The bookkeeping is done before script code runs, which may throw.
    for (uint64_t handle : classwindows) {
        forget(handle);
    }
    return true;
}

void Win32WindowSystem::forget(uint64_t window) {
    quitposted_ = true;
    quitcode_ = 1;
    if (procedure_ != nullptr) {
        procedure_->ondestroy(window);
    }
}

bool Win32WindowSystem::hasclasswindow() const {
    return std::any_of(windows_.begin(), windows_.end(),
                       [](const auto& entry) { return !entry.second.button; });
}

void Win32WindowSystem::drawbutton(uint64_t window) {
    const WindowState& state = windows_.at(window);
    int64_t width = 0;
    int64_t height = 0;
    if (!getsize(window, width, height)) {
        return;
    }
    const Xlib& x = display_->x;
    ::Display* connection = display_->connection;
    GC gc = x.XDefaultGC(connection, x.XDefaultScreen(connection));
    x.XClearWindow(connection, window);
    // The frame is drawn inside, so the window's size stays the one asked for.
    x.XDrawRectangle(connection, window, gc, 0, 0,
                     static_cast<unsigned>(std::max<int64_t>(width - 1, 0)),
                     static_cast<unsigned>(std::max<int64_t>(height - 1, 0)));
    // The default font's cells are about 6 by 13 pixels.
    const auto textwidth = static_cast<int64_t>(state.caption.size()) * 6;
    x.XDrawString(connection, window, gc,
                  static_cast<int>(std::max<int64_t>((width - textwidth) / 2, 2)),
                  static_cast<int>(height / 2 + 4), state.caption.c_str(),
                  static_cast<int>(state.caption.size()));
    x.XFlush(connection);
}

bool Win32WindowSystem::dispatchone() {
    XEvent event;
    display_->x.XNextEvent(display_->connection, &event);
    const uint64_t window = event.xany.window;
    const auto state = windows_.find(window);
    if (event.type == DestroyNotify) {
        // Destroyed by someone else (a window manager, another client).
        if (windows_.contains(event.xdestroywindow.window)) {
            const bool button = windows_.at(event.xdestroywindow.window).button;
            windows_.erase(event.xdestroywindow.window);
            if (!button) {
                forget(event.xdestroywindow.window);
            }
        }
        return true;
    }
    if (state == windows_.end() || procedure_ == nullptr) {
        return true;
    }
    const WindowState current = state->second;
    switch (event.type) {
    case ButtonPress:
        if (event.xbutton.button == Button1 && !current.button) {
            procedure_->onlbuttondown(window, event.xbutton.x, event.xbutton.y);
        }
        break;
    case ButtonRelease: {
        int64_t width = 0;
        int64_t height = 0;
        if (event.xbutton.button == Button1 && current.button && getsize(window, width, height) &&
            event.xbutton.x >= 0 && event.xbutton.y >= 0 && event.xbutton.x < width &&
            event.xbutton.y < height && current.parent != 0) {
            procedure_->oncommand(current.parent, static_cast<int32_t>(current.id & 0xFFFF),
                                  buttonclicked);
        }
        break;
    }
    case Expose:
        if (event.xexpose.count == 0 && current.button) {
            drawbutton(window);
        }
        break;
    case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == display_->wmdelete) {
            destroy(window);
        }
        break;
    default:
        break;
    }
    return true;
}

bool Win32WindowSystem::dispatchpending(int limit) {
    for (int count = 0; count < limit && !quitposted_ && display_ &&
                        display_->x.XPending(display_->connection) > 0;
         ++count) {
        dispatchone();
    }
    if (quitposted_) {
        quitposted_ = false;
        return true;
    }
    return false;
}

int64_t Win32WindowSystem::messageloop() {
    while (!quitposted_) {
        if (!display_ || !hasclasswindow()) {
            return 0;
        }
        if (display_->x.XPending(display_->connection) > 0) {
            dispatchone();
            continue;
        }
        pollfd connection = {display_->x.XConnectionNumber(display_->connection), POLLIN, 0};
        ::poll(&connection, 1, loopslicemilliseconds);
    }
    quitposted_ = false;
    return quitcode_;
}

bool Win32WindowSystem::sendkey(uint8_t key, bool press) {
    if (!connect() || !display_->x.hasxtest) {
        return false;
    }
    const KeyCode code = display_->x.XKeysymToKeycode(display_->connection, keysymbol(key));
    if (code == 0) {
        return false;
    }
    display_->x.XTestFakeKeyEvent(display_->connection, code, press ? True : False, CurrentTime);
    display_->x.XFlush(display_->connection);
    return true;
}

bool Win32WindowSystem::click(uint64_t window, int32_t x, int32_t y) {
    if (!connect() || !display_->x.hasxtest) {
        return false;
    }
    const Xlib& xlib = display_->x;
    ::Display* connection = display_->connection;
    int rootx = x;
    int rooty = y;
    ::Window child = 0;
    if (window != 0 && xlib.XTranslateCoordinates(connection, window, display_->root(), x, y,
                                                  &rootx, &rooty, &child) == 0) {
        return false;
    }
    xlib.XTestFakeMotionEvent(connection, xlib.XDefaultScreen(connection), rootx, rooty,
                              CurrentTime);
    xlib.XTestFakeButtonEvent(connection, Button1, True, CurrentTime);
    xlib.XTestFakeButtonEvent(connection, Button1, False, CurrentTime);
    xlib.XSync(connection, False);
    return true;
}

} // namespace vornscript
