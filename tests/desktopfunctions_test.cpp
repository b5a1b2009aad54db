// Message boxes, beeps, speech, MIDI and the file chooser without a desktop:
// the word tables, the terminal dialogue, the default answer without a
// terminal, the speech command lines, MIDI message packing and errors, and
// the file chooser's argument checks.
#include "filetestsupport.h"
#include "support/messagebox.h"
#include "support/midioutput.h"
#include "support/speech.h"
#include "support/systemsound.h"
#include "sysfunctions/osfunctions.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace vornscriptunittests {
namespace {

using namespace vornscript;

TEST(DesktopFunctions, MessageboxWordsAndButtons) {
    const std::pair<const char*, unsigned> types[] = {
        {"error", MB_ICONERROR},
        {"Warning", MB_ICONWARNING},
        {"information", MB_ICONINFORMATION},
        {"ok", MB_OK},
        {"OKCANCEL", MB_OKCANCEL},
        {"yesno", MB_YESNO},
        {"yesnocancel", MB_YESNOCANCEL},
        {"question", MB_ICONQUESTION},
        {"exclamation", MB_ICONEXCLAMATION},
        {"abortretryignore", MB_ABORTRETRYIGNORE},
        {"retrycancel", MB_RETRYCANCEL},
        {"", MB_OK},
        {"yes no", MB_OK},
    };
    for (const auto& [word, flags] : types) {
        EXPECT_EQ(messageboxflagsofword(word), flags) << word;
    }
    const char* words[] = {"ok", "cancel", "abort", "retry", "ignore", "yes", "no"};
    for (int button = IDOK; button <= IDNO; ++button) {
        EXPECT_EQ(messageboxanswerword(button), words[button - IDOK]);
    }
    EXPECT_EQ(messageboxanswerword(0), "0");
    EXPECT_EQ(messageboxanswerword(11), "11");

    EXPECT_EQ(messageboxbuttons(MB_YESNOCANCEL | MB_ICONQUESTION),
              (std::vector<int>{IDYES, IDNO, IDCANCEL}));
    EXPECT_EQ(messageboxbuttons(0xE), std::vector<int>{IDOK});
    EXPECT_EQ(messageboxdefault(MB_YESNO), IDYES);
    EXPECT_EQ(messageboxdefault(MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_EQ(messageboxdefault(MB_ABORTRETRYIGNORE | MB_DEFBUTTON3), IDIGNORE);
    EXPECT_EQ(messageboxdefault(MB_OK | MB_DEFBUTTON3), IDOK);
}

TEST(DesktopFunctions, MessageboxAsksOnTheTerminal) {
    const struct {
        unsigned flags;
        const char* input;
        int answer;
    } rows[] = {
        {MB_YESNO, "maybe\n n \n", IDNO},
        {MB_YESNO, "\n", IDYES},
        {MB_YESNO | MB_DEFBUTTON2, "", IDNO}, // end of input
        {MB_YESNOCANCEL, "Cancel\n", IDCANCEL},
        {MB_ABORTRETRYIGNORE, "R\n", IDRETRY},
        {MB_OK, "x\nok\n", IDOK},
    };
    for (const auto& row : rows) {
        std::istringstream in(row.input);
        std::ostringstream out;
        EXPECT_EQ(askmessagebox(in, out, "Go on?", "Caption", row.flags), row.answer) << row.input;
    }
    std::istringstream in("what\ny\n");
    std::ostringstream out;
    askmessagebox(in, out, "Go on?", "Caption", MB_YESNOCANCEL | MB_DEFBUTTON3);
    EXPECT_EQ(out.str(), "Caption\nGo on?\nYes/No/Cancel [Cancel]: Yes/No/Cancel [Cancel]: ");
}

// In a child without terminal and display: boxes answer with their default
// button at once, and a beep sounds nowhere without failing.
TEST(DesktopFunctions, NoTerminalTakesTheDefaultButton) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setsid();
        ::unsetenv("DISPLAY");
        ::unsetenv("WAYLAND_DISPLAY");
        const bool expected =
            runtestscript("messagebox('Delete?', 'Files', 'yesno') + messagebox('x') + "
                          "beep() + beep('ERROR')") == "yesok11" &&
            showmessagebox("x", "y", MB_RETRYCANCEL | MB_DEFBUTTON2) == IDCANCEL;
        ::_exit(expected ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// A stand-in zenity on a pretend display: it writes its arguments to
// {d}args, one per line, prints the text of {d}answer and exits with the
// status in {d}status.
class FakeZenity {
public:
    FakeZenity()
        : display_("DISPLAY", ":97"), wayland_("WAYLAND_DISPLAY", nullptr),
          path_("PATH", (folder_.path() + ":/bin:/usr/bin").c_str()) {
        const std::string& d = folder_.path();
        std::ofstream(d + "zenity") << "#!/bin/sh\nprintf '%s\\n' \"$@\" > " << d << "args\ncat "
                                    << d << "answer\nexit $(cat " << d << "status)\n";
        checkfolderrows(d, {{"runprocess('chmod +x {d}zenity')", "0"}});
    }
    // The next dialog's answer.
    void answer(int status, const std::string& text) {
        std::ofstream(folder_.path() + "status") << status;
        std::ofstream(folder_.path() + "answer") << text;
    }
    std::string arguments() const {
        std::ifstream in(folder_.path() + "args");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    const std::string& folder() const { return folder_.path(); }

private:
    TemporaryFolder folder_;
    EnvironmentOverride display_;
    EnvironmentOverride wayland_;
    EnvironmentOverride path_;
};

TEST(DesktopFunctions, MessageboxThroughZenity) {
    FakeZenity zenity;
    const struct {
        const char* type;
        int status;
        const char* output;
        const char* answer;
    } rows[] = {
        {"yesno", 0, "", "yes"},          {"yesno", 1, "", "no"},
        {"yesnocancel", 1, "No\n", "no"}, {"yesnocancel", 1, "", "cancel"},
        {"error", 0, "", "ok"},           {"abortretryignore", 1, "Retry\n", "retry"},
    };
    for (const auto& row : rows) {
        zenity.answer(row.status, row.output);
        EXPECT_EQ(runtestscript(std::string("messagebox('Go?', 'Job', '") + row.type + "')"),
                  row.answer)
            << row.type;
    }
    zenity.answer(1, "No\n");
    runtestscript("messagebox('Go?', 'Job', 'yesnocancel')");
    EXPECT_EQ(zenity.arguments(), "--question\n--title=Job\n--text=Go?\n--no-markup\n"
                                  "--ok-label=Yes\n--cancel-label=Cancel\n--extra-button=No\n");
    zenity.answer(0, "");
    runtestscript("messagebox('Careful')");
    EXPECT_EQ(zenity.arguments(),
              "--info\n--title=Information\n--text=Careful\n--no-markup\n--ok-label=OK\n");
}

TEST(DesktopFunctions, FilechooserThroughZenity) {
    FakeZenity zenity;
    const std::string& d = zenity.folder();
    const struct {
        const char* options;
        int status;
        const char* output;
        const char* expected;
    } rows[] = {
        {"", 0, "/tmp/a b.txt\n", "/tmp/a b.txt"},
        {"", 1, "", ""},
        {"multi", 0, "/tmp/a\n/tmp/b\n", "2 /tmp/a|/tmp/b"},
        {"multi", 1, "", "0 "},
        {"save", 0, "{d}report\n", "{d}report.txt"},
        {"save", 0, "{d}report.csv\n", "{d}report.csv"},
        // A missing file is refused until the dialog gives up.
        {"filemustexist", 0, "{d}missing\n", ""},
        {"filemustexist", 0, "{d}args\n", "{d}args"},
        {"", 5, "", "!cannot start file chooser dialog"},
    };
    for (const auto& row : rows) {
        zenity.answer(row.status, replaceall(row.output, "{d}", d));
        const std::string call =
            std::string("filechooser('{d}', 'Pick', '") + row.options + "', 'txt', '')";
        const std::string script = std::string_view(row.options) == "multi"
                                       ? "var v = " + call + "; size(v) + ' ' + join('|', v)"
                                       : call;
        checkfolderrows(d, {{script.c_str(), row.expected}});
    }
}

TEST(DesktopFunctions, BeepWords) {
    const std::pair<const char*, uint32_t> rows[] = {
        {"", simplebeep},
        {"Simple", simplebeep},
        {"warning", MB_ICONWARNING},
        {"INFORMATION", MB_ICONINFORMATION},
        {"error", MB_ICONERROR},
        {"question", MB_ICONQUESTION},
        {"asterisk", MB_OK},
    };
    for (const auto& [word, type] : rows) {
        EXPECT_EQ(beeptypeofword(word), type) << word;
    }
    EXPECT_EQ(soundeventname(simplebeep), "bell");
    EXPECT_EQ(soundeventname(MB_OK), "bell");
    EXPECT_EQ(soundeventname(MB_ICONERROR), "dialog-error");
    EXPECT_EQ(soundeventname(MB_ICONQUESTION), "dialog-question");
}

TEST(DesktopFunctions, SpeechCleansTextAndBuildsCommands) {
    EXPECT_EQ(cleanspeechtext("say \"hi\", it's a\\b"), "say  hi , it s a b");
    EXPECT_EQ(cleanspeechtext(std::string("a\0b", 3)), "a b");
    EXPECT_EQ(speechcommandline(VornSpeechEngine::espeak, "-x y"), "espeak-ng -- '-x y'");
    EXPECT_EQ(speechcommandline(VornSpeechEngine::speechdispatcher, "hello"),
              "spd-say --wait -- 'hello'");
    EXPECT_EQ(speechengines(false).front(), VornSpeechEngine::espeak);
    EXPECT_EQ(speechengines(true).front(), VornSpeechEngine::speechdispatcher);
}

TEST(DesktopFunctions, SaytextRunsTheSpeechProgram) {
    TemporaryFolder folder;
    const std::string& d = folder.path();
    {
        EnvironmentOverride path("PATH", (d + "none").c_str());
        checkfolderrows(
            d, {
                   {"saytext('hello')", "!saytext using sapi failed"},
                   {"saytext('hello', 'Fast UseSpeechSynth')", "!saytext using speechsynth failed"},
               });
    }
    // Stand-ins: espeak-ng writes its arguments down, spd-say fails.
    std::ofstream(d + "espeak-ng") << "#!/bin/sh\nprintf '%s|' \"$@\" > " << d << "said\n";
    std::ofstream(d + "spd-say") << "#!/bin/sh\nexit 1\n";
    checkfolderrows(d, {{"runprocess('chmod +x {d}espeak-ng {d}spd-say')", "0"}});
    EnvironmentOverride path("PATH", (d + ":/bin:/usr/bin").c_str());
    checkfolderrows(d, {
                           {"saytext(\"it's \\\"ok\\\" \\\\ -n\")", "1"},
                           {"closedfilereadtext('{d}said')", "--|it s  ok    -n|"},
                           // The speech service fails, so espeak-ng speaks instead.
                           {"saytext('again', 'usespeechsynth')", "1"},
                           {"closedfilereadtext('{d}said')", "--|again|"},
                       });
}

TEST(DesktopFunctions, MidiMessagesArePacked) {
    const struct {
        std::vector<int64_t> numbers;
        std::vector<uint32_t> messages;
    } packed[] = {
        {{144, 60, 100}, {0x643C90}},
        {{144, 60}, {0x3C90}},
        {{192, 5, 144, 60, 100, 128, 60, 0}, {0x05C0, 0x643C90, 0x003C80}},
        {{144, 200}, {0x90, 0xC8}}, // 200 is no data byte but the next status
        {{239}, {0xEF}},
    };
    for (const auto& row : packed) {
        std::vector<uint32_t> messages;
        EXPECT_EQ(packmidimessages(row.numbers, messages), VornMidiPacking::packed);
        EXPECT_EQ(messages, row.messages);
    }
    for (const std::vector<int64_t>& numbers :
         std::vector<std::vector<int64_t>>{{60}, {127}, {240}, {144, 60, 100, 50}, {144, -1}, {}}) {
        std::vector<uint32_t> messages;
        EXPECT_EQ(packmidimessages(numbers, messages),
                  numbers.empty() ? VornMidiPacking::packed : VornMidiPacking::nostatus);
    }
    EXPECT_EQ(midimessagelength(0x90), 3u);
    EXPECT_EQ(midimessagelength(0xC5), 2u);
    EXPECT_EQ(midimessagelength(0xD0), 2u);
    EXPECT_EQ(midimessagelength(0xE0), 3u);
}

TEST(DesktopFunctions, PlaymidiErrors) {
    checkfolderrows(
        "", {
                {"playmidi(60)", "!playmidi: first number must be 128-239"},
                {"playmidi('144 60 100', 50)", "!playmidi: first number must be 128-239"},
                {"playmidi([144, 60])", "!playmidi: event numbers expected as parameter "},
                {"playmidi('144 sixty')", "!playmidi: event numbers expected as parameter "},
                {"playmidi(144.5)", "!playmidi: event numbers expected as parameter "},
                {"playmidi(144.0, 60.0, 7.5)", "!playmidi: event numbers expected as parameter "},
                {"playmidi(144.0, 60.0, 1.0, 12.0)", "!playmidi: first number must be 128-239"},
                {"playmidi(144, ' ')", "!playmidi: event numbers expected as parameter"},
            });
    if (::access("/dev/snd/seq", F_OK) == 0) {
        GTEST_SKIP() << "a sound driver is present; the no-device error is not checked";
    }
    checkfolderrows("",
                    {
                        {"playmidi('144,60', 100)", "!opening multimedia failed (error code: 2)"},
                    });
}

TEST(DesktopFunctions, FilechooserOptionWords) {
    VornFileChooserOptions options;
    EXPECT_TRUE(parsefilechooseroptions("Save, overwriteprompt;PATHMUSTEXIST", options));
    EXPECT_TRUE(options.save && options.overwriteprompt && options.pathmustexist);
    EXPECT_FALSE(options.multi || options.pickfolders || options.filemustexist);
    options = {};
    EXPECT_TRUE(parsefilechooseroptions("open multi filemustexist pickfolders", options));
    EXPECT_TRUE(options.multi && options.filemustexist && options.pickfolders && !options.save);
    EXPECT_TRUE(parsefilechooseroptions("", options));
    EXPECT_FALSE(parsefilechooseroptions("save mutli", options));
}

TEST(DesktopFunctions, FilechooserFilterAndExtension) {
    std::vector<VornFileFilter> filters;
    ASSERT_TRUE(parsefilefilter("Texts (*.txt)|*.txt; *.log|All files (*.*)|*.*||", filters));
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Texts (*.txt)");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string>{"*.txt", "*.log"}));
    EXPECT_EQ(filters[1].patterns, std::vector<std::string>{"*.*"});
    for (const char* bad : {"Texts|*.txt", "Texts|*.txt|", "||", "Texts||", "|*.txt||",
                            "Texts|*.txt|All||", "Texts| ; ||", "Texts|*.txt|||"}) {
        EXPECT_FALSE(parsefilefilter(bad, filters)) << bad;
    }
    std::string extension;
    for (const auto& [text, expected] : std::vector<std::pair<const char*, const char*>>{
             {"txt", "txt"}, {".log", "log"}, {"", ""}}) {
        EXPECT_TRUE(parsedefaultextension(text, extension)) << text;
        EXPECT_EQ(extension, expected);
    }
    for (const char* bad : {".", "t*t", "tar.gz", "a/b", "a b", "..txt"}) {
        EXPECT_FALSE(parsedefaultextension(bad, extension)) << bad;
    }

    VornFileChooserRequest request;
    request.caption = "Save as";
    request.options.save = request.options.overwriteprompt = request.options.multi = true;
    request.filters = filters;
    EXPECT_EQ(zenityfilecommand(request),
              (std::vector<std::string>{"zenity", "--file-selection", "--title=Save as", "--save",
                                        "--confirm-overwrite", "--multiple", "--separator=\n",
                                        "--file-filter=Texts (*.txt) | *.txt *.log",
                                        "--file-filter=All files (*.*) | *"}));
}

TEST(DesktopFunctions, FilechooserMessages) {
    TemporaryFolder folder;
    EnvironmentOverride display("DISPLAY", nullptr);
    EnvironmentOverride wayland("WAYLAND_DISPLAY", nullptr);
    checkfolderrows(
        folder.path(),
        {
            {"filechooser('', '', 'open', '', 'Texts|*.txt')",
             "!invalid filter parameter in function filechooser(initpath, caption, choosertype, "
             "defaultext, filter)"},
            {"filechooser('', '', 'save', 't?', '')",
             "!invalid defaultext parameter in function filechooser(initpath, caption, "
             "choosertype, defaultext, filter)"},
            {"filechooser('', '', 'big', '', '')",
             "!invalid options parameter in function filechooser(initpath, caption, choosertype, "
             "defaultext, filter)"},
            {"filechooser('{d}', 'Pick', 'multi', 'txt', '')", "!cannot start file chooser dialog"},
        });
    EnvironmentOverride fakedisplay("DISPLAY", ":97");
    EnvironmentOverride path("PATH", (folder.path() + "none").c_str());
    checkfolderrows(folder.path(),
                    {
                        {"filechooser('', '', '', '', '')", "!can not create file chooser dialog"},
                    });
}

} // namespace
} // namespace vornscriptunittests
