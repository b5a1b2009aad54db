// Message boxes through zenity, kdialog or the terminal (see messagebox.h).
// A dialog program that cannot be started or ends abnormally passes the box
// on to the next way of asking, so a broken desktop still gets an answer.
#include "support/messagebox.h"

#include "support/process.h"
#include "support/stringbasics.h"

#include <fstream>
#include <istream>
#include <optional>
#include <ostream>

namespace vornscript {

namespace {

using vornstdstring::isequalnocase;
using vornstdstring::trim;

struct ButtonSet {
    unsigned flags;
    std::vector<int> buttons;
};

const ButtonSet buttonsets[] = {
    {MB_OK, {IDOK}},
    {MB_OKCANCEL, {IDOK, IDCANCEL}},
    {MB_ABORTRETRYIGNORE, {IDABORT, IDRETRY, IDIGNORE}},
    {MB_YESNOCANCEL, {IDYES, IDNO, IDCANCEL}},
    {MB_YESNO, {IDYES, IDNO}},
    {MB_RETRYCANCEL, {IDRETRY, IDCANCEL}},
};

// Labels by ID code from IDOK to IDNO.
constexpr const char* buttonlabels[] = {"OK", "Cancel", "Abort", "Retry", "Ignore", "Yes", "No"};

enum class Icon { none, error, question, warning, information };

Icon iconof(unsigned flags) {
    switch (flags & 0xF0) {
    case MB_ICONERROR:
        return Icon::error;
    case MB_ICONQUESTION:
        return Icon::question;
    case MB_ICONWARNING:
        return Icon::warning;
    case MB_ICONINFORMATION:
        return Icon::information;
    default:
        return Icon::none;
    }
}

// Freedesktop icon names by Icon.
constexpr const char* iconnames[] = {"", "dialog-error", "dialog-question", "dialog-warning",
                                     "dialog-information"};

std::optional<int> askzenity(const std::string& text, const std::string& caption, unsigned flags) {
    const std::vector<int> buttons = messageboxbuttons(flags);
    const Icon icon = iconof(flags);
    std::vector<std::string> command{"zenity", "--title=" + caption, "--text=" + text,
                                     "--no-markup", "--ok-label=" + messageboxlabel(buttons[0])};
    if (buttons.size() == 1) {
        command.insert(command.begin() + 1, icon == Icon::error     ? "--error"
                                            : icon == Icon::warning ? "--warning"
                                                                    : "--info");
    } else {
        command.insert(command.begin() + 1, "--question");
        command.push_back("--cancel-label=" + messageboxlabel(buttons.back()));
        if (buttons.size() == 3) {
            command.push_back("--extra-button=" + messageboxlabel(buttons[1]));
        }
        if (icon != Icon::none) {
            command.push_back(std::string("--icon-name=") + iconnames[static_cast<int>(icon)]);
        }
        if (messageboxdefault(flags) == buttons.back()) {
            command.push_back("--default-cancel");
        }
    }
    const VornProgramRun run = runprogram(command);
    if (run.starterror != 0 || run.status > 1) {
        return std::nullopt;
    }
    if (run.status == 0) {
        return buttons[0];
    }
    // The extra button prints its label; closing the box counts as the last button.
    if (buttons.size() == 3 && trim(run.output) == messageboxlabel(buttons[1])) {
        return buttons[1];
    }
    return buttons.back();
}

std::optional<int> askkdialog(const std::string& text, const std::string& caption, unsigned flags) {
    const std::vector<int> buttons = messageboxbuttons(flags);
    const Icon icon = iconof(flags);
    std::vector<std::string> command{"kdialog", "--title", caption};
    if (buttons.size() == 1) {
        command.push_back(icon == Icon::error     ? "--error"
                          : icon == Icon::warning ? "--sorry"
                                                  : "--msgbox");
        command.push_back(text);
    } else {
        command.push_back(buttons.size() == 3     ? "--yesnocancel"
                          : icon == Icon::warning ? "--warningyesno"
                                                  : "--yesno");
        command.push_back(text);
        const char* labeloptions[] = {"--yes-label", "--no-label", "--cancel-label"};
        for (size_t index = 0; index < buttons.size(); ++index) {
            command.push_back(labeloptions[index]);
            command.push_back(messageboxlabel(buttons[index]));
        }
    }
    const VornProgramRun run = runprogram(command);
    if (run.starterror != 0 || run.status < 0 ||
        static_cast<size_t>(run.status) >= buttons.size()) {
        return std::nullopt;
    }
    return buttons[static_cast<size_t>(run.status)];
}

std::optional<int> askterminal(const std::string& text, const std::string& caption,
                               unsigned flags) {
    std::ifstream in("/dev/tty");
    std::ofstream out("/dev/tty");
    if (!in.is_open() || !out.is_open()) {
        return std::nullopt;
    }
    return askmessagebox(in, out, text, caption, flags);
}

// The button an answer names, by label or first letter.
std::optional<int> namedbutton(const std::vector<int>& buttons, const std::string& answer) {
    for (const int button : buttons) {
        const std::string label = messageboxlabel(button);
        if (isequalnocase(answer, label) || isequalnocase(answer, label.substr(0, 1))) {
            return button;
        }
    }
    return std::nullopt;
}

} // namespace

std::vector<int> messageboxbuttons(unsigned flags) {
    for (const ButtonSet& set : buttonsets) {
        if (set.flags == (flags & 0xF)) {
            return set.buttons;
        }
    }
    return {IDOK};
}

int messageboxdefault(unsigned flags) {
    const std::vector<int> buttons = messageboxbuttons(flags);
    const size_t index = (flags & 0xF00) >> 8;
    return index < buttons.size() ? buttons[index] : buttons[0];
}

std::string messageboxlabel(int button) {
    if (button < IDOK || button > IDNO) {
        return std::to_string(button);
    }
    return buttonlabels[button - IDOK];
}

int showmessagebox(const std::string& text, const std::string& caption, unsigned flags) {
    std::optional<int> answer;
    if (displayavailable()) {
        if (!findonpath("zenity").empty()) {
            answer = askzenity(text, caption, flags);
        }
        if (!answer && !findonpath("kdialog").empty()) {
            answer = askkdialog(text, caption, flags);
        }
    }
    if (!answer) {
        answer = askterminal(text, caption, flags);
    }
    return answer.value_or(messageboxdefault(flags));
}

int askmessagebox(std::istream& in, std::ostream& out, const std::string& text,
                  const std::string& caption, unsigned flags) {
    const std::vector<int> buttons = messageboxbuttons(flags);
    const int fallback = messageboxdefault(flags);
    std::string choices;
    for (const int button : buttons) {
        if (!choices.empty()) {
            choices += '/';
        }
        choices += messageboxlabel(button);
    }
    out << caption << "\n" << text << "\n";
    std::string line;
    for (;;) {
        out << choices << " [" << messageboxlabel(fallback) << "]: " << std::flush;
        if (!std::getline(in, line)) {
            out << "\n";
            return fallback;
        }
        const std::string answer = trim(line);
        if (answer.empty()) {
            return fallback;
        }
        if (const std::optional<int> button = namedbutton(buttons, answer)) {
            return *button;
        }
    }
}

} // namespace vornscript
