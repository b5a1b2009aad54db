// Speech output through a speech program: espeak-ng speaks directly, spd-say
// through the desktop's speech-dispatcher service. The text is cleaned of
// quotes and backslashes first, which is what makes it safe to place inside
// single quotes on the shell command line that runs the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

enum class VornSpeechEngine { espeak, speechdispatcher };

// Every double quote, single quote, backslash and zero byte becomes a blank.
std::string cleanspeechtext(std::string_view text);
// The shell command line that speaks [cleanedtext] with [engine].
std::string speechcommandline(VornSpeechEngine engine, const std::string& cleanedtext);
// The engines to try in order: the speech service first when
// [usespeechservice] is set, else espeak-ng first.
std::vector<VornSpeechEngine> speechengines(bool usespeechservice);

// Speaks the text (cleaned here) with the first engine on PATH that
// succeeds; false when none is installed or every one fails.
bool speaktext(std::string_view text, bool usespeechservice);

} // namespace vornscript
