// Folder functions: the special folders, path texts, full paths, directory
// listing, creating and removing folders, existence, age and attributes.
// Built paths use "/"; split paths also accept "\" and ":". Attributes are
// the Windows attribute bits computed from the file's status, so scripts can
// keep testing them against the FILE_ATTRIBUTE_... constants.
#include "interpreter/context.h"
#include "support/pathtext.h"
#include "support/phrasetranslator.h"
#include "support/platformfolders.h"
#include "sysfunctions/filecallsupport.h"
#include "sysfunctions/filefunctions.h"
#include "values/scriptobject.h"

#include <dirent.h>
#include <filesystem>
#include <memory>
#include <random>
#include <sys/stat.h>

namespace vornscript {

namespace {

namespace fs = std::filesystem;

constexpr const char* nodirectoryinformation = "no permission to access directory information ";
constexpr const char* defaulttemporaryprefix = "vorn";
// Tries for a free temporary name before the last candidate is returned anyway.
constexpr int temporarynameattempts = 10000;

// Windows attribute bits that have a Linux counterpart.
constexpr int64_t attributereadonly = 0x1;
constexpr int64_t attributehidden = 0x2;
constexpr int64_t attributedirectory = 0x10;
constexpr int64_t attributearchive = 0x20;
constexpr int64_t attributedevice = 0x40;
constexpr int64_t attributenormal = 0x80;
constexpr int64_t attributereparsepoint = 0x400;

// [folder] with the call's arguments from [first] on joined to it.
std::string joinedarguments(const VornSystemCall& call, std::string folder, size_t first = 0) {
    for (size_t index = first; index < call.arguments.size(); ++index) {
        appendpathpart(folder, argumenttext(call, index));
    }
    return folder;
}

bool gettemporaryfolder(VornSystemCall& call) {
    return resulttext(call, joinedarguments(call, temporaryfolder()));
}

bool getpersonalfolder(VornSystemCall& call) {
    return resulttext(call, joinedarguments(call, documentsfolder()));
}

bool getprogramfolder(VornSystemCall& call) {
    return resulttext(call, joinedarguments(call, programfolder()));
}

bool getapplicationdatafolder(VornSystemCall& call) {
    return resulttext(call, joinedarguments(call, applicationdatafolder()));
}

// A name in the temporary folder made of the prefix, a random number and the
// extension, that names nothing yet.
std::string freetemporaryname(const std::string& prefix, const std::string& extension) {
    static std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<uint32_t> numbers(100000, 99999999);
    const std::string folder = temporaryfolder();
    std::string candidate;
    for (int attempt = 0; attempt < temporarynameattempts; ++attempt) {
        candidate = folder + prefix + std::to_string(numbers(generator)) + extension;
        std::error_code error;
        if (!fs::exists(fs::symlink_status(candidate, error))) {
            break;
        }
    }
    return candidate;
}

// The one-argument forms take the extension only; both names serve files
// and folders alike, since neither is created.
bool temporarynamewithextension(VornSystemCall& call) {
    return resulttext(call, freetemporaryname(defaulttemporaryprefix, argumenttext(call, 0)));
}

bool temporarynamewithprefix(VornSystemCall& call) {
    return resulttext(call, freetemporaryname(argumenttext(call, 0), argumenttext(call, 1)));
}

bool joinpath(VornSystemCall& call) {
    const VornScriptObjectPtr& first = call.arguments[0];
    if (!first || first->getobjecttype() != VornObjectType::vector) {
        return resulttext(call, joinedarguments(call, std::string()));
    }
    if (call.arguments.size() > 1) {
        call.error = call.name + translate("(vector) has too many arguments", "interpreter");
        return false;
    }
    VornScriptObjectList parts;
    if (!first->getvectorelements(parts, call.error)) {
        return false;
    }
    std::string path;
    for (const VornScriptObjectPtr& part : parts) {
        appendpathpart(path, part ? part->tostring() : std::string());
    }
    return resulttext(call, std::move(path));
}

bool getfilename(VornSystemCall& call) {
    return resulttext(call, std::string(pathfilename(argumenttext(call, 0))));
}

bool getdirectory(VornSystemCall& call) {
    return resulttext(call, std::string(pathdirectory(argumenttext(call, 0))));
}

bool getfileextension(VornSystemCall& call) {
    return resulttext(call, std::string(pathextension(argumenttext(call, 0))));
}

bool removefileextension(VornSystemCall& call) {
    return resulttext(call, std::string(pathwithoutextension(argumenttext(call, 0))));
}

bool quotepath(VornSystemCall& call) {
    return resulttext(call, quotepathtext(argumenttext(call, 0)));
}

// Absolute and with "." and ".." folded, without resolving links (the long
// form of a path names the same entry the short one does).
bool getfullpath(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    std::error_code error;
    const fs::path full = path.empty() ? fs::path() : fs::absolute(path, error);
    return resulttext(call, error ? path : full.lexically_normal().string());
}

bool readdirectory(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'i', "no permission to access file information from ", true)) {
        return false;
    }
    std::unique_ptr<DIR, int (*)(DIR*)> folder(::opendir(path.c_str()), ::closedir);
    if (!folder) {
        return failcall(call, "cannot get directory entries from ", path);
    }
    std::vector<std::string> entries;
    while (const dirent* entry = ::readdir(folder.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") {
            std::string full = path;
            appendpathpart(full, name);
            entries.push_back(std::move(full));
        }
    }
    return resulttexts(call, entries);
}

bool createdirectory(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'w', "no permission to create directory ", true)) {
        return false;
    }
    if (::mkdir(path.c_str(), 0777) != 0) {
        return failcall(call, "failed to create directory ", path);
    }
    return resultbool(call, true);
}

// An existing folder is fine here: the call asks for the folder to be there.
bool createdirectories(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'w', "no permission to create directory ", true)) {
        return false;
    }
    std::error_code error;
    fs::create_directories(path, error);
    if (error || !fs::is_directory(path, error)) {
        return failcall(call, "failed to create directory ", path);
    }
    return resultbool(call, true);
}

bool deletedirectory(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'w', "no permission to remove directory ", true)) {
        return false;
    }
    if (::rmdir(path.c_str()) != 0) {
        return failcall(call, "failed to delete directory ", path);
    }
    return resultbool(call, true);
}

bool directoryexists(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'i', nodirectoryinformation, true)) {
        return false;
    }
    struct stat status;
    return resultbool(call, ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode));
}

bool lastwritetime(VornSystemCall& call, const std::string& path, timespec& written) {
    if (!permitted(call, path, 'i', nodirectoryinformation, true)) {
        return false;
    }
    struct stat status;
    if (::stat(path.c_str(), &status) != 0) {
        return failcall(call, "file not found ", path);
    }
    written = status.st_mtim;
    return true;
}

bool fileisnewer(VornSystemCall& call) {
    timespec first{};
    timespec second{};
    if (!lastwritetime(call, argumenttext(call, 0), first) ||
        !lastwritetime(call, argumenttext(call, 1), second)) {
        return false;
    }
    return resultbool(call, first.tv_sec != second.tv_sec ? first.tv_sec > second.tv_sec
                                                          : first.tv_nsec > second.tv_nsec);
}

// A name starting with "." is hidden; "." and ".." themselves are not.
bool ishiddenname(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const std::string_view name = pathfilename(path);
    return name.size() > 1 && name.front() == '.' && name != "..";
}

int64_t attributesof(const std::string& path, const struct stat& linkstatus) {
    struct stat status = linkstatus;
    int64_t attributes = 0;
    if (S_ISLNK(linkstatus.st_mode)) {
        attributes |= attributereparsepoint;
        // The link's target decides the rest, as far as it exists.
        if (::stat(path.c_str(), &status) != 0) {
            status = linkstatus;
        }
    }
    if (S_ISDIR(status.st_mode)) {
        attributes |= attributedirectory;
    } else if (S_ISREG(status.st_mode)) {
        attributes |= attributearchive;
    } else if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode)) {
        attributes |= attributedevice;
    }
    if ((status.st_mode & S_IWUSR) == 0) {
        attributes |= attributereadonly;
    }
    if (ishiddenname(path)) {
        attributes |= attributehidden;
    }
    return attributes == 0 ? attributenormal : attributes;
}

bool fileattributes(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'i', nodirectoryinformation, true)) {
        return false;
    }
    struct stat linkstatus;
    if (::lstat(path.c_str(), &linkstatus) != 0) {
        return failcall(call, "cannot get file attributes for ", path);
    }
    return resultlong(call, attributesof(path, linkstatus));
}

constexpr VornSystemFunctionEntry directoryfunctions[] = {
    {"gettemporaryfolder(", gettemporaryfolder},
    {"gettemporaryfilename($)", temporarynamewithextension},
    {"gettemporaryfilename($$)", temporarynamewithprefix},
    {"gettemporaryfoldername($)", temporarynamewithextension},
    {"gettemporaryfoldername($$)", temporarynamewithprefix},
    {"getpersonalfolder(", getpersonalfolder},
    {"getmydocumentsfolder(", getpersonalfolder},
    {"getprogramfolder(", getprogramfolder},
    {"getapplicationdatafolder(", getapplicationdatafolder},
    {"joinpath($", joinpath},
    {"getfilename($)", getfilename},
    {"getdirectory($)", getdirectory},
    {"getfileextension($)", getfileextension},
    {"removefileextension($)", removefileextension},
    {"quotepath($)", quotepath},
    {"getfullpath($)", getfullpath},
    {"readdirectory($)", readdirectory},
    {"createdirectory($)", createdirectory},
    {"createdirectories($)", createdirectories},
    {"deletedirectory($)", deletedirectory},
    {"directoryexists($)", directoryexists},
    {"fileisnewer($$)", fileisnewer},
    {"fileattributes($)", fileattributes},
};

} // namespace

VornSystemFunctionTable directoryfunctiontable() {
    return directoryfunctions;
}

} // namespace vornscript
