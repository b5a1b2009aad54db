// The process-wide phrase translator hook. Every user-visible message passes
// through translate(phrase, tag) before its variable parts are appended; the
// tag names the message's origin ("scriptscanner", "scriptparser",
// "interpreter", "VORNARG", ...). Until the driver installs a translator,
// phrases come back unchanged, so every module can call translate freely.
#pragma once

#include <string>

namespace vornscript {

class VornPhraseTranslator {
public:
    virtual ~VornPhraseTranslator() = default;
    virtual std::string translate(const std::string& phrase, const std::string& tag) = 0;
};

// Installs the translator used by translate(); nullptr removes it. The caller
// keeps ownership and must keep it alive while installed.
void setcurrenttranslator(VornPhraseTranslator* translator);
VornPhraseTranslator* currenttranslator();

// The phrase in the selected language, or the phrase itself.
std::string translate(const std::string& phrase, const std::string& tag);

} // namespace vornscript
