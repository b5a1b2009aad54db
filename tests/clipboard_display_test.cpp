// The clipboard on an X display: under a virtual X server (Xvfb) the script
// functions must go through xclip, so the text is visible to other programs.
// Without Xvfb and xclip the test is skipped with a note.
#include "filetestsupport.h"
#include "virtualdisplay.h"

#include <cstdio>
#include <random>

namespace vornscriptunittests {
namespace {

std::string readxclipboard() {
    std::string text;
    if (FILE* pipe = ::popen("xclip -selection clipboard -out", "r")) {
        char buffer[256];
        for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, count);
        }
        ::pclose(pipe);
    }
    return text;
}

TEST(Clipboard, RoundTripThroughXclipOnAVirtualDisplay) {
    if (!onpath("Xvfb") || !onpath("xclip")) {
        GTEST_SKIP() << "Xvfb or xclip is not installed: the X display clipboard is not tested";
    }
    VirtualDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    EnvironmentOverride wayland("WAYLAND_DISPLAY", nullptr);
    EnvironmentOverride x("DISPLAY", display.name().c_str());
    const std::string text = "clip " + std::to_string(std::random_device()());
    EXPECT_EQ(runtestscript("setclipboardtext('" + text + "'); getclipboardtext()"), text);
    EXPECT_EQ(readxclipboard(), text) << "the text did not reach the X clipboard";
}

} // namespace
} // namespace vornscriptunittests
