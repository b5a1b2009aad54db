// File functions on closed files: existence, size, comparison, whole-file
// reading and writing, copy, move, delete (to the trash or for good) and
// backups. Text is read and written as bytes: line ends are not translated.
// Copies keep the source's last write time, so backups and fileisnewer see
// the age of the content rather than the moment of copying.
#include "sysfunctions/filefunctions.h"
#include "interpreter/context.h"
#include "support/backupname.h"
#include "support/pathtext.h"
#include "support/trash.h"
#include "support/wholefile.h"
#include "sysfunctions/filecallsupport.h"
#include "values/scriptobject.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sys/stat.h>

namespace vornscript {

namespace {

namespace fs = std::filesystem;

constexpr const char* noinformationpermission = "no permission to access file information";
constexpr const char* noreadpermission = "no permission to read file";
constexpr const char* nowritepermission = "no permission to write file";
constexpr const char* nodeletepermission = "no permission to delete file";
constexpr const char* readerror = "error reading from file";
constexpr const char* writeerror = "error writing to file";

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

bool isregularfile(const std::string& path, struct stat& status) {
    return ::stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

bool isregularfile(const std::string& path) {
    struct stat status;
    return isregularfile(path, status);
}

// Copies a regular file, replacing the target, and gives the copy the
// source's last write time.
bool copyregularfile(const std::string& source, const std::string& target) {
    std::error_code error;
    if (!fs::is_regular_file(source, error) ||
        !fs::copy_file(source, target, fs::copy_options::overwrite_existing, error)) {
        return false;
    }
    const fs::file_time_type written = fs::last_write_time(source, error);
    if (!error) {
        fs::last_write_time(target, written, error);
    }
    return true;
}

bool samecontent(std::FILE* first, std::FILE* second) {
    char firstbuffer[65536];
    char secondbuffer[65536];
    for (;;) {
        const size_t firstcount = std::fread(firstbuffer, 1, sizeof firstbuffer, first);
        const size_t secondcount = std::fread(secondbuffer, 1, sizeof secondbuffer, second);
        if (firstcount != secondcount ||
            std::char_traits<char>::compare(firstbuffer, secondbuffer, firstcount) != 0) {
            return false;
        }
        if (firstcount < sizeof firstbuffer) {
            return std::ferror(first) == 0 && std::ferror(second) == 0;
        }
    }
}

// The permitted whole-file read shared by the three closedfileread functions.
bool readpermittedfile(VornSystemCall& call, std::string& content) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'r', noreadpermission)) {
        return false;
    }
    if (!readwholefile(path, content)) {
        return failcall(call, readerror);
    }
    return true;
}

// Writes or appends the bytes after the write permission check.
bool writepermittedfile(VornSystemCall& call, const std::string& content, bool append) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'w', nowritepermission)) {
        return false;
    }
    FileHandle file(std::fopen(path.c_str(), append ? "ab" : "wb"));
    bool written = file != nullptr &&
                   std::fwrite(content.data(), 1, content.size(), file.get()) == content.size();
    if (file != nullptr) {
        written = std::fclose(file.release()) == 0 && written;
    }
    if (!written) {
        return failcall(call, writeerror);
    }
    return resultbool(call, true);
}

bool fileexists(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'i', noinformationpermission)) {
        return false;
    }
    return resultbool(call, isregularfile(path));
}

bool filesize(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'i', noinformationpermission)) {
        return false;
    }
    struct stat status;
    return resultlong(call, isregularfile(path, status) ? static_cast<int64_t>(status.st_size) : 0);
}

bool equalfiles(VornSystemCall& call) {
    const std::string first = argumenttext(call, 0);
    const std::string second = argumenttext(call, 1);
    if (!permitted(call, first, 'r', noreadpermission) ||
        !permitted(call, second, 'r', noreadpermission)) {
        return false;
    }
    struct stat firststatus;
    struct stat secondstatus;
    if (!isregularfile(first, firststatus) || !isregularfile(second, secondstatus) ||
        firststatus.st_size != secondstatus.st_size) {
        return resultbool(call, false);
    }
    FileHandle firstfile(std::fopen(first.c_str(), "rb"));
    FileHandle secondfile(std::fopen(second.c_str(), "rb"));
    return resultbool(call, firstfile != nullptr && secondfile != nullptr &&
                                samecontent(firstfile.get(), secondfile.get()));
}

bool closedfilereadtext(VornSystemCall& call) {
    std::string content;
    return readpermittedfile(call, content) && resulttext(call, std::move(content));
}

// Lines end at LF; a CR before it belongs to the line end, and a final line
// end does not start another line.
bool closedfilereadlines(VornSystemCall& call) {
    std::string content;
    if (!readpermittedfile(call, content)) {
        return false;
    }
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        const size_t next = end == std::string::npos ? content.size() : end + 1;
        end = end == std::string::npos ? content.size() : end;
        if (end > start && content[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(content, start, end - start);
        start = next;
    }
    return resulttexts(call, lines);
}

bool closedfilereadbinary(VornSystemCall& call) {
    return closedfilereadtext(call);
}

bool closedfilewritetext(VornSystemCall& call) {
    return writepermittedfile(call, argumenttext(call, 1), false);
}

bool closedfileappendtext(VornSystemCall& call) {
    return writepermittedfile(call, argumenttext(call, 1), true);
}

bool closedfilewritebinary(VornSystemCall& call) {
    const VornScriptObjectPtr& buffer = call.arguments[1];
    if (!buffer || buffer->getobjecttype() != VornObjectType::string) {
        return failcall(call, "closedfilewritebinary(filename,&buffer) requires a string buffer");
    }
    return writepermittedfile(call, buffer->tostring(), false);
}

bool copyfile(VornSystemCall& call) {
    const std::string target = argumenttext(call, 0);
    const std::string source = argumenttext(call, 1);
    if (!permitted(call, source, 'r', noreadpermission) ||
        !permitted(call, target, 'w', nowritepermission)) {
        return false;
    }
    return resultbool(call, copyregularfile(source, target));
}

// Moving never replaces an existing target, so a move cannot lose a file.
bool movefile(VornSystemCall& call) {
    const std::string target = argumenttext(call, 0);
    const std::string source = argumenttext(call, 1);
    if (!permitted(call, source, 'w', "no permission to move file") ||
        !permitted(call, target, 'w', "no permission to move file")) {
        return false;
    }
    std::error_code error;
    if (source.empty() || target.empty() || fs::exists(fs::symlink_status(target, error))) {
        return resultbool(call, false);
    }
    fs::rename(source, target, error);
    if (error == std::errc::cross_device_link) {
        error.clear();
        fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks,
                 error);
        if (!error) {
            fs::remove_all(source, error);
        }
    }
    return resultbool(call, !error);
}

bool deletefile(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'w', nodeletepermission)) {
        return false;
    }
    return resultbool(call, !path.empty() && movetotrash(path));
}

bool deletefileforever(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (!permitted(call, path, 'w', nodeletepermission)) {
        return false;
    }
    return resultbool(call, ::unlink(path.c_str()) == 0);
}

// The folder a backup goes to, ending with a separator: the destination, or
// the source's own folder.
std::string backupfolder(const std::string& source, std::string destination) {
    if (destination.empty()) {
        const std::string_view sourcefolder = pathdirectory(source);
        return sourcefolder.empty() ? std::string("./") : std::string(sourcefolder);
    }
    if (destination.back() != '/' && destination.back() != '\\') {
        destination.push_back('/');
    }
    return destination;
}

bool createfilebackup(VornSystemCall& call) {
    const std::string source = argumenttext(call, 0);
    if (!permitted(call, source, 'r', noreadpermission)) {
        return false;
    }
    const std::string folder = backupfolder(source, argumenttext(call, 1));
    if (!permitted(call, folder, 'w', nowritepermission)) {
        return false;
    }
    struct stat status;
    if (!isregularfile(source, status)) {
        return resulttext(call, {});
    }
    std::error_code error;
    fs::create_directories(folder, error);
    VornBackupPlan plan;
    const auto exists = [](const std::string& path) {
        std::error_code ignored;
        return fs::exists(fs::symlink_status(path, ignored));
    };
    if (!planbackup(folder, pathfilename(source), backuptimestamp(status.st_mtime), exists, plan) ||
        (!plan.namefilepath.empty() && !writewholefile(plan.namefilepath, plan.namefiletext)) ||
        !copyregularfile(source, plan.backuppath)) {
        return resulttext(call, {});
    }
    return resulttext(call, std::move(plan.backuppath));
}

bool isbackupfilenamecall(VornSystemCall& call) {
    return resultbool(call, isbackupfilename(argumenttext(call, 0)));
}

constexpr VornSystemFunctionEntry filefunctions[] = {
    {"fileexists($)", fileexists},
    {"filesize($)", filesize},
    {"equalfiles($$)", equalfiles},
    {"closedfilereadtext($)", closedfilereadtext},
    {"closedfilereadlines($)", closedfilereadlines},
    {"closedfilereadbinary($)", closedfilereadbinary},
    {"closedfilewritetext($$)", closedfilewritetext},
    {"closedfilewritebinary($$)", closedfilewritebinary},
    {"closedfileappendtext($$)", closedfileappendtext},
    {"copyfile($$)", copyfile},
    {"movefile($$)", movefile},
    {"createfilebackup($)", createfilebackup},
    {"createfilebackup($$)", createfilebackup},
    {"isbackupfilename($)", isbackupfilenamecall},
    {"deletefile($)", deletefile},
    {"deletefileforever($)", deletefileforever},
};

} // namespace

VornSystemFunctionTable filefunctiontable() {
    return filefunctions;
}

} // namespace vornscript
