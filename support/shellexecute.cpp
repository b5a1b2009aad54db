// shellexecute (see shellexecute.h). xdg-open gets a few seconds to report a
// missing file or handler; an opener still running after that is taken as
// success, since some open the document in the foreground.
#include "support/shellexecute.h"

#include "support/phrasetranslator.h"
#include "support/process.h"

#include <cctype>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vornscript {

namespace {

constexpr int openerwaitmilliseconds = 3000;

struct ShellMessage {
    int result;
    const char* phrase;
    bool namesfile;
};

constexpr ShellMessage shellmessages[] = {
    {0, "The operating system is out of memory or resources", false},
    {8, "The operating system is out of memory or resources", false},
    {1, "The file was not found", true},
    {2, "The file was not found", true},
    {3, "The file was not found", true},
    {5, "The operating system denied access to file", true},
    {26, "The operating system denied access to file", true},
    {11, "The file name is invalid", true},
    {27, "There is no application associated with the extension of file", true},
    {31, "There is no application associated with the extension of file", true},
};

// "scheme:" with a scheme of two or more letters, digits, "+", "-" or ".".
bool isurl(const std::string& target) {
    const size_t colon = target.find(':');
    if (colon == std::string::npos || colon < 2 ||
        !std::isalpha(static_cast<unsigned char>(target[0]))) {
        return false;
    }
    for (size_t index = 0; index < colon; ++index) {
        const auto c = static_cast<unsigned char>(target[index]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

std::vector<std::string> splitparameters(const std::string& parameters) {
    std::vector<std::string> words;
    std::string word;
    bool inword = false;
    char quote = 0;
    for (const char c : parameters) {
        if (quote != 0) {
            if (c == quote) {
                quote = 0;
            } else {
                word += c;
            }
        } else if (c == '"' || c == '\'') {
            quote = c;
            inword = true;
        } else if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            if (inword) {
                words.push_back(std::move(word));
                word.clear();
                inword = false;
            }
        } else {
            word += c;
            inword = true;
        }
    }
    if (inword) {
        words.push_back(std::move(word));
    }
    return words;
}

int openwithdesktop(const std::string& target) {
    if (findonpath("xdg-open").empty()) {
        return shellresultnoassociation;
    }
    const VornBackgroundStart start =
        startinbackground({"xdg-open", target}, openerwaitmilliseconds, true);
    if (start.starterror != 0) {
        return shellresultoferror(start.starterror);
    }
    return start.exited ? shellresultofopener(start.status) : shellresultsuccess;
}

// A name without "/" is looked for in the current folder, then along PATH.
// One found in the current folder gets "./", so starting it does not search PATH.
std::string locate(const std::string& target) {
    if (target.find('/') != std::string::npos) {
        return target;
    }
    if (::access(target.c_str(), F_OK) == 0) {
        return "./" + target;
    }
    const std::string found = findonpath(target);
    return found.empty() ? target : found;
}

} // namespace

int shellexecute(const std::string& target, const std::string& parameters) {
    if (target.empty()) {
        return shellresultfilenotfound;
    }
    if (isurl(target)) {
        return openwithdesktop(target);
    }
    const std::string path = locate(target);
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return shellresultoferror(errno);
    }
    if (!S_ISREG(status.st_mode) || ::access(path.c_str(), X_OK) != 0) {
        return openwithdesktop(path);
    }
    std::vector<std::string> arguments{path};
    for (std::string& word : splitparameters(parameters)) {
        arguments.push_back(std::move(word));
    }
    const VornBackgroundStart start = startinbackground(arguments, 0, false);
    return start.starterror != 0 ? shellresultoferror(start.starterror) : shellresultsuccess;
}

int shellresultoferror(int error) {
    switch (error) {
    case ENOENT:
        return shellresultfilenotfound;
    case ENOTDIR:
    case ELOOP:
        return shellresultpathnotfound;
    case EACCES:
    case EPERM:
        return shellresultaccessdenied;
    case ENAMETOOLONG:
    case ENOEXEC:
        return shellresultbadformat;
    case ENOMEM:
    case EAGAIN:
    case E2BIG:
        return shellresultoutofmemory;
    default:
        return shellresultfailed;
    }
}

int shellresultofopener(int status) {
    switch (status) {
    case 0:
        return shellresultsuccess;
    case 2: // the file does not exist
        return shellresultfilenotfound;
    case 3: // no tool for the desktop or the file type
        return shellresultnoassociation;
    default:
        return shellresultfailed;
    }
}

std::string shellexecutemessage(int result, const std::string& target) {
    for (const ShellMessage& message : shellmessages) {
        if (message.result == result) {
            std::string text = translate(message.phrase, "vornprocess");
            if (message.namesfile) {
                text += ": " + target;
            }
            return text;
        }
    }
    return translate("cannot run application", "vornprocess");
}

} // namespace vornscript
