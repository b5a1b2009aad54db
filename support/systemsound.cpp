// System sounds (see systemsound.h). The sound player runs in the background,
// so a beep never holds up the script.
#include "support/systemsound.h"

#include "support/messagebox.h"
#include "support/process.h"

#include <fcntl.h>
#include <unistd.h>

namespace vornscript {

namespace {

struct SoundEvent {
    uint32_t type;
    const char* event;
};

constexpr SoundEvent soundevents[] = {
    {MB_ICONWARNING, "dialog-warning"},
    {MB_ICONINFORMATION, "dialog-information"},
    {MB_ICONERROR, "dialog-error"},
    {MB_ICONQUESTION, "dialog-question"},
};

bool playthemesound(uint32_t type) {
    if (!displayavailable() || findonpath("canberra-gtk-play").empty()) {
        return false;
    }
    return startinbackground({"canberra-gtk-play", "--id=" + soundeventname(type)}, 0, true)
               .starterror == 0;
}

void ringterminalbell() {
    const int terminal = ::open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (terminal >= 0) {
        [[maybe_unused]] const ssize_t written = ::write(terminal, "\a", 1);
        ::close(terminal);
    }
}

} // namespace

std::string soundeventname(uint32_t type) {
    for (const SoundEvent& sound : soundevents) {
        if (sound.type == type) {
            return sound.event;
        }
    }
    return "bell";
}

void playsystemsound(uint32_t type) {
    if (!playthemesound(type)) {
        ringterminalbell();
    }
}

} // namespace vornscript
