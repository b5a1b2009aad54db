// Message boxes, beeps, speech, MIDI output and the file chooser for
// scripts: the argument words and result words of these functions are data
// tables here, the services behind them are in support/.
#include "interpreter/context.h"
#include "support/messagebox.h"
#include "support/midioutput.h"
#include "support/speech.h"
#include "support/stringbasics.h"
#include "support/stringsplit.h"
#include "support/systemsound.h"
#include "sysfunctions/collectionsupport.h"
#include "sysfunctions/filecallsupport.h"
#include "sysfunctions/osfunctions.h"
#include "values/conversions.h"

#include <charconv>
#include <cmath>

namespace vornscript {

namespace {

using vornstdstring::isequalnocase;
using vornstdstring::splitwords;

template <typename Value> struct WordEntry {
    const char* word;
    Value value;
};

constexpr WordEntry<unsigned> messageboxtypes[] = {
    {"error", MB_ICONERROR},
    {"warning", MB_ICONWARNING},
    {"information", MB_ICONINFORMATION},
    {"ok", MB_OK},
    {"okcancel", MB_OKCANCEL},
    {"yesno", MB_YESNO},
    {"yesnocancel", MB_YESNOCANCEL},
    {"question", MB_ICONQUESTION},
    {"exclamation", MB_ICONEXCLAMATION},
    {"abortretryignore", MB_ABORTRETRYIGNORE},
    {"retrycancel", MB_RETRYCANCEL},
};

constexpr WordEntry<int> answerwords[] = {
    {"ok", IDOK},         {"cancel", IDCANCEL}, {"abort", IDABORT}, {"retry", IDRETRY},
    {"ignore", IDIGNORE}, {"yes", IDYES},       {"no", IDNO},
};

constexpr WordEntry<uint32_t> beeptypes[] = {
    {"", simplebeep},
    {"simple", simplebeep},
    {"warning", MB_ICONWARNING},
    {"information", MB_ICONINFORMATION},
    {"error", MB_ICONERROR},
    {"question", MB_ICONQUESTION},
};

// The value of [word] in [table] (compared without case), else [otherwise].
template <typename Value, size_t size>
Value lookupword(const WordEntry<Value> (&table)[size], std::string_view word, Value otherwise) {
    for (const WordEntry<Value>& entry : table) {
        if (isequalnocase(word, entry.word)) {
            return entry.value;
        }
    }
    return otherwise;
}

constexpr const char* defaultcaption = "Information";
constexpr const char* defaultfilter = "All files (*.*)|*.*||";

// ---- messagebox, beep, saytext ----

bool messageboxcall(VornSystemCall& call) {
    const std::string caption =
        isundefined(call.arguments[1]) ? std::string(defaultcaption) : argumenttext(call, 1);
    const unsigned flags = messageboxflagsofword(argumenttext(call, 2));
    flushscriptoutput(call);
    const int button = showmessagebox(argumenttext(call, 0), caption, flags);
    return resulttext(call, messageboxanswerword(button));
}

bool beepcall(VornSystemCall& call) {
    playsystemsound(beeptypeofword(argumenttext(call, 0)));
    return resultbool(call, true);
}

bool saytextcall(VornSystemCall& call) {
    std::string options = argumenttext(call, 1);
    for (char& c : options) {
        c = vornstdstring::tolowerbyte(c);
    }
    bool speechsynth = false;
    for (const std::string& word : splitwords(options)) {
        speechsynth = speechsynth || word == "usespeechsynth";
    }
    if (!speaktext(argumenttext(call, 0), speechsynth)) {
        return failcall(call, speechsynth ? "saytext using speechsynth failed"
                                          : "saytext using sapi failed");
    }
    return resultbool(call, true);
}

// ---- playmidi ----

// Appends the numbers of one argument: a number or a text of whole numbers.
bool readmidinumbers(VornSystemCall& call, const VornScriptObjectPtr& argument,
                     std::vector<int64_t>& numbers) {
    if (!argument || argument->getobjecttype() != VornObjectType::string) {
        return failcall(call, "playmidi: event numbers expected as parameter ");
    }
    // A number written as a double ("144.0") counts when it is whole.
    double value = 0;
    std::string ignored;
    if (argument->isnumber() && getdouble(argument, value, ignored)) {
        if (value != std::trunc(value) || std::fabs(value) > 1e15) {
            return failcall(call, "playmidi: event numbers expected as parameter ");
        }
        numbers.push_back(static_cast<int64_t>(value));
        return true;
    }
    const std::vector<std::string> words = splitwords(argument->tostring());
    if (words.empty()) {
        return failcall(call, "playmidi: event numbers expected as parameter");
    }
    for (const std::string& word : words) {
        int64_t number = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        if (error != std::errc() || end != word.data() + word.size()) {
            return failcall(call, "playmidi: event numbers expected as parameter ");
        }
        numbers.push_back(number);
    }
    return true;
}

// Messages are checked before the device opens, so a wrong call fails alike
// with and without a MIDI port.
bool playmidicall(VornSystemCall& call) {
    std::vector<int64_t> numbers;
    for (const VornScriptObjectPtr& argument : call.arguments) {
        if (!readmidinumbers(call, argument, numbers)) {
            return false;
        }
    }
    std::vector<uint32_t> messages;
    if (packmidimessages(numbers, messages) != VornMidiPacking::packed) {
        return failcall(call, "playmidi: first number must be 128-239");
    }
    std::unique_ptr<VornMidiOutput>& output = call.context.midioutput;
    if (!output) {
        output = std::make_unique<VornMidiOutput>();
    }
    int errorcode = 0;
    if (!output->open(errorcode)) {
        return failcall(call, "opening multimedia failed",
                        " (error code: " + std::to_string(errorcode) + ")");
    }
    for (const uint32_t message : messages) {
        output->send(message);
    }
    return resultbool(call, true);
}

// ---- filechooser ----

bool filechoosercall(VornSystemCall& call) {
    VornFileChooserRequest request;
    request.initialpath = argumenttext(call, 0);
    request.caption = argumenttext(call, 1);
    if (!parsefilechooseroptions(argumenttext(call, 2), request.options)) {
        return failcall(call, "invalid options parameter in function filechooser(initpath, "
                              "caption, choosertype, defaultext, filter)");
    }
    const std::string filter = argumenttext(call, 4);
    if (!parsefilefilter(filter.empty() ? defaultfilter : filter, request.filters)) {
        return failcall(call, "invalid filter parameter in function filechooser(initpath, "
                              "caption, choosertype, defaultext, filter)");
    }
    if (!parsedefaultextension(argumenttext(call, 3), request.defaultextension)) {
        return failcall(call, "invalid defaultext parameter in function filechooser(initpath, "
                              "caption, choosertype, defaultext, filter)");
    }
    std::vector<std::string> paths;
    switch (choosefiles(request, paths)) {
    case VornFileChooserOutcome::cannotcreate:
        return failcall(call, "can not create file chooser dialog");
    case VornFileChooserOutcome::cannotstart:
        return failcall(call, "cannot start file chooser dialog");
    case VornFileChooserOutcome::cancelled:
        paths.clear();
        break;
    case VornFileChooserOutcome::chosen:
        break;
    }
    if (request.options.multi) {
        return resulttexts(call, paths);
    }
    return resulttext(call, paths.empty() ? std::string() : paths.front());
}

constexpr VornSystemFunctionEntry desktopfunctions[] = {
    {"messagebox($)", messageboxcall},
    {"messagebox($$)", messageboxcall},
    {"messagebox($$$)", messageboxcall},
    {"beep()", beepcall},
    {"beep($)", beepcall},
    {"saytext($)", saytextcall},
    {"saytext($$)", saytextcall},
    {"playmidi(", playmidicall},
    {"filechooser($$$$$)", filechoosercall},
};

} // namespace

unsigned messageboxflagsofword(std::string_view word) {
    return lookupword(messageboxtypes, word, MB_OK);
}

std::string messageboxanswerword(int button) {
    for (const WordEntry<int>& entry : answerwords) {
        if (entry.value == button) {
            return entry.word;
        }
    }
    return std::to_string(button);
}

uint32_t beeptypeofword(std::string_view word) {
    return lookupword(beeptypes, word, static_cast<uint32_t>(MB_OK));
}

bool parsefilechooseroptions(std::string_view text, VornFileChooserOptions& options) {
    const WordEntry<bool VornFileChooserOptions::*> optionwords[] = {
        {"save", &VornFileChooserOptions::save},
        {"multi", &VornFileChooserOptions::multi},
        {"pickfolders", &VornFileChooserOptions::pickfolders},
        {"overwriteprompt", &VornFileChooserOptions::overwriteprompt},
        {"pathmustexist", &VornFileChooserOptions::pathmustexist},
        {"filemustexist", &VornFileChooserOptions::filemustexist},
        // The open dialog is the default; the word may still be written.
        {"open", nullptr},
    };
    for (const std::string& word : splitwords(text, " \t\r\n,;|")) {
        bool known = false;
        for (const auto& entry : optionwords) {
            if (isequalnocase(word, entry.word)) {
                known = true;
                if (entry.value != nullptr) {
                    options.*entry.value = true;
                }
            }
        }
        if (!known) {
            return false;
        }
    }
    return true;
}

VornSystemFunctionTable desktopfunctiontable() {
    return desktopfunctions;
}

} // namespace vornscript
