// Speech programs (see speech.h). The programs' "--" ends their options, so a
// text starting with "-" is spoken rather than read as an option.
#include "support/speech.h"

#include "support/process.h"

namespace vornscript {

namespace {

struct SpeechProgram {
    const char* program;
    const char* prefix;
    const char* suffix;
};

// By VornSpeechEngine. spd-say waits until the text is spoken, as espeak-ng does.
constexpr SpeechProgram speechprograms[] = {
    {"espeak-ng", "espeak-ng -- '", "'"},
    {"spd-say", "spd-say --wait -- '", "'"},
};

const SpeechProgram& programof(VornSpeechEngine engine) {
    return speechprograms[static_cast<int>(engine)];
}

} // namespace

std::string cleanspeechtext(std::string_view text) {
    std::string cleaned(text);
    for (char& c : cleaned) {
        // A zero byte would cut the command line short of its closing quote.
        if (c == '"' || c == '\'' || c == '\\' || c == '\0') {
            c = ' ';
        }
    }
    return cleaned;
}

std::string speechcommandline(VornSpeechEngine engine, const std::string& cleanedtext) {
    const SpeechProgram& program = programof(engine);
    return program.prefix + cleanedtext + program.suffix;
}

std::vector<VornSpeechEngine> speechengines(bool usespeechservice) {
    if (usespeechservice) {
        return {VornSpeechEngine::speechdispatcher, VornSpeechEngine::espeak};
    }
    return {VornSpeechEngine::espeak, VornSpeechEngine::speechdispatcher};
}

bool speaktext(std::string_view text, bool usespeechservice) {
    const std::string cleaned = cleanspeechtext(text);
    for (const VornSpeechEngine engine : speechengines(usespeechservice)) {
        if (findonpath(programof(engine).program).empty()) {
            continue;
        }
        std::string output;
        int status = 0;
        if (runshellcommand(speechcommandline(engine, cleaned), output, status) && status == 0) {
            return true;
        }
    }
    return false;
}

} // namespace vornscript
