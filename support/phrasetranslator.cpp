// Process-wide phrase translator slot.
#include "support/phrasetranslator.h"

namespace vornscript {

namespace {
VornPhraseTranslator* installedtranslator = nullptr;
}

void setcurrenttranslator(VornPhraseTranslator* translator) {
    installedtranslator = translator;
}

VornPhraseTranslator* currenttranslator() {
    return installedtranslator;
}

std::string translate(const std::string& phrase, const std::string& tag) {
    if (installedtranslator == nullptr || phrase.empty()) {
        return phrase;
    }
    return installedtranslator->translate(phrase, tag);
}

} // namespace vornscript
