// The window messages of the script's thread. A window system (the win32
// extension's windows) plugs in as the source of pending messages; without
// one there is nothing to process. Meeting the quit message marks the
// program to quit, and from then on processing answers false at once, which
// ends waits and message processing that scripts run in loops.
#pragma once

namespace vornscript {

class VornMessageSource {
public:
    virtual ~VornMessageSource() = default;
    // Dispatches at most [limit] pending messages without waiting for new
    // ones; true when it met the quit message (which is not dispatched).
    virtual bool dispatchpending(int limit) = 0;
};

// Installs the source (nullptr removes it); the source removes itself before it goes.
void setmessagesource(VornMessageSource* source);
VornMessageSource* messagesource();

// The quit mark, set by the quit message or by a window system directly.
void markquit();
bool quitmarked();
// Clears the mark: a new run of the message loop starts unmarked.
void clearquit();

// False without processing anything once quit is marked; otherwise
// dispatches up to [limit] pending messages, marking quit when the quit
// message comes, and answers true.
bool processpendingmessages(int limit);

} // namespace vornscript
