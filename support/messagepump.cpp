// One thread runs scripts and windows, so the source and the quit mark are
// plain process-wide state.
#include "support/messagepump.h"

namespace vornscript {

namespace {

VornMessageSource* installedsource = nullptr;
bool quitmark = false;

} // namespace

void setmessagesource(VornMessageSource* source) {
    installedsource = source;
}

VornMessageSource* messagesource() {
    return installedsource;
}

void markquit() {
    quitmark = true;
}

bool quitmarked() {
    return quitmark;
}

void clearquit() {
    quitmark = false;
}

bool processpendingmessages(int limit) {
    if (quitmark) {
        return false;
    }
    if (installedsource != nullptr && installedsource->dispatchpending(limit)) {
        quitmark = true;
    }
    return true;
}

} // namespace vornscript
