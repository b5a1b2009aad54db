// fileopen and the functions on open files. Windows-style sharing is kept
// with flock: a writing open holds an exclusive lock and a reading open a
// shared one, both taken without waiting, so an open that the sharing rules
// deny fails at once. Descriptors never translate line ends;
// openfilewritetext writes CR LF itself.
#include "sysfunctions/openfile.h"

#include "interpreter/context.h"
#include "sysfunctions/filecallsupport.h"
#include "sysfunctions/filefunctions.h"
#include "values/conversions.h"
#include "values/scriptobject.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vornscript {

namespace {

constexpr const char* membernames[] = {"filepath", "filehandle"};
constexpr const char* sizemessage = "size must be a positive number";
constexpr size_t readchunk = 65536;

} // namespace

VornScriptOpenFile::VornScriptOpenFile(std::string filepath, int descriptor)
    : filepath_(std::move(filepath)), descriptor_(descriptor) {}

VornScriptOpenFile::~VornScriptOpenFile() {
    close();
}

void VornScriptOpenFile::close() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
        descriptor_ = -1;
    }
}

VornScriptDataHandlerPtr VornScriptOpenFile::duplicate() {
    return {};
}

bool VornScriptOpenFile::castrvalue(VornScriptDataHandlerPtr&, std::string& error) {
    error = "casting open file is not allowed";
    return false;
}

bool VornScriptOpenFile::accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                               std::string& error) {
    return getstructuremember(name, member, error);
}

bool VornScriptOpenFile::getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                            std::string& error) {
    if (name == "filepath") {
        member = makestringvalue(filepath_);
    } else if (name == "filehandle") {
        member = makelongvalue(descriptor_);
    } else {
        error = "exception has no structure member " + name;
        return false;
    }
    return true;
}

bool VornScriptOpenFile::getstructurefields(std::vector<std::string>& names, std::string&) {
    names.assign(std::begin(membernames), std::end(membernames));
    return true;
}

bool VornScriptOpenFile::removestructuremember(const std::string&, std::string& error) {
    error = "not allowed to remove structure members";
    return false;
}

std::string VornScriptOpenFile::debuginfo() {
    return "OPENFILE filepath=" + filepath_ + " filehandle=" + std::to_string(descriptor_);
}

namespace {

// The open file of the first argument, or a failed call.
VornScriptOpenFile* openfileargument(VornSystemCall& call) {
    const VornScriptObjectPtr& argument = call.arguments[0];
    auto* file =
        argument ? dynamic_cast<VornScriptOpenFile*>(argument->getdatahandler().get()) : nullptr;
    if (file == nullptr) {
        failcall(call, "open file expected as first argument of ", call.name);
    }
    return file;
}

// A whole number argument; a missing or undefined one gives [fallback].
bool numberargument(VornSystemCall& call, size_t index, int64_t fallback, int64_t& value) {
    if (index >= call.arguments.size() || !call.arguments[index] ||
        call.arguments[index]->isnull()) {
        value = fallback;
        return true;
    }
    return getlong(call.arguments[index], value, call.error);
}

bool sizeargument(VornSystemCall& call, int64_t& size) {
    std::string ignored;
    const VornScriptObjectPtr& argument = call.arguments[1];
    if (!argument || !getlong(argument, size, ignored) || size < 0) {
        return failcall(call, sizemessage);
    }
    return true;
}

bool writeall(int descriptor, const char* data, size_t size, int64_t& written) {
    written = 0;
    while (static_cast<size_t>(written) < size) {
        const ssize_t count = ::write(descriptor, data + written, size - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += count;
    }
    return true;
}

struct OpenMode {
    bool reading = false;
    bool writing = false;
    bool appending = false;
    bool truncating = false;
};

OpenMode readmode(const std::string& mode) {
    OpenMode result;
    const bool hasr = mode.find('r') != std::string::npos;
    result.truncating = mode.find('w') != std::string::npos;
    result.appending = mode.find('a') != std::string::npos;
    result.writing = result.truncating || result.appending;
    result.reading = hasr || !result.writing;
    return result;
}

bool fileopen(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    if (path.empty()) {
        return failcall(call, "fileopen missing file name argument");
    }
    const OpenMode mode = readmode(argumenttext(call, 1));
    if (mode.writing ? !permitted(call, path, 'w', "file output is not permitted")
                     : !permitted(call, path, 'r', "file input is not permitted")) {
        return false;
    }
    int flags = O_CLOEXEC;
    flags |= mode.reading && mode.writing ? O_RDWR : (mode.writing ? O_WRONLY : O_RDONLY);
    flags |= mode.appending ? O_APPEND : 0;
    // A missing file is created, also for reading, but only where the context
    // allows writing: reading must not become a way to create files.
    if (mode.writing || call.context.hasFilePermission(path, 'w')) {
        flags |= O_CREAT;
    }
    const int descriptor = ::open(path.c_str(), flags, 0666);
    if (descriptor < 0) {
        return failcall(call, "file open failed", ": " + path);
    }
    // Truncation waits for the lock, so a denied open leaves the file intact.
    if (::flock(descriptor, (mode.writing ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0 ||
        (mode.truncating && ::ftruncate(descriptor, 0) != 0)) {
        ::close(descriptor);
        return failcall(call, "file open failed", ": " + path);
    }
    call.result = makehandlervalue(makeref<VornScriptOpenFile>(path, descriptor));
    return true;
}

bool openfileclose(VornSystemCall& call) {
    VornScriptOpenFile* file = openfileargument(call);
    if (file == nullptr) {
        return false;
    }
    file->close();
    return resultbool(call, true);
}

bool seekwith(VornSystemCall& call, int whence, int64_t defaultoffset) {
    VornScriptOpenFile* file = openfileargument(call);
    int64_t offset = 0;
    if (file == nullptr || !numberargument(call, 1, defaultoffset, offset)) {
        return false;
    }
    return resultlong(call, ::lseek(file->descriptor(), offset, whence));
}

bool openfilepos(VornSystemCall& call) {
    return seekwith(call, SEEK_CUR, 0);
}

bool openfileseekbegin(VornSystemCall& call) {
    return seekwith(call, SEEK_SET, 0);
}

bool openfileseekcurrent(VornSystemCall& call) {
    return seekwith(call, SEEK_CUR, 0);
}

bool openfileseekend(VornSystemCall& call) {
    return seekwith(call, SEEK_END, 0);
}

bool openfilesize(VornSystemCall& call) {
    VornScriptOpenFile* file = openfileargument(call);
    if (file == nullptr) {
        return false;
    }
    struct stat status;
    return resultlong(call, ::fstat(file->descriptor(), &status) == 0
                                ? static_cast<int64_t>(status.st_size)
                                : -1);
}

bool openfilechangesize(VornSystemCall& call) {
    VornScriptOpenFile* file = openfileargument(call);
    int64_t size = 0;
    if (file == nullptr || !sizeargument(call, size)) {
        return false;
    }
    return resultbool(call, ::ftruncate(file->descriptor(), size) == 0);
}

bool openfilereadbinary(VornSystemCall& call) {
    VornScriptOpenFile* file = openfileargument(call);
    int64_t size = 0;
    if (file == nullptr || !sizeargument(call, size)) {
        return false;
    }
    // Grows chunk by chunk, so a huge size costs only what the file holds.
    std::string data;
    while (data.size() < static_cast<size_t>(size)) {
        const size_t offset = data.size();
        data.resize(offset + std::min(readchunk, static_cast<size_t>(size) - offset));
        const ssize_t count =
            ::read(file->descriptor(), data.data() + offset, data.size() - offset);
        if (count < 0 && errno == EINTR) {
            data.resize(offset);
            continue;
        }
        if (count < 0) {
            return failcall(call, "openfilereadbinary(file,size) failed");
        }
        data.resize(offset + static_cast<size_t>(count));
        if (count == 0) {
            break;
        }
    }
    return resulttext(call, std::move(data));
}

// Reads ahead in chunks, then sets the position just after the line end.
bool openfilereadline(VornSystemCall& call) {
    VornScriptOpenFile* file = openfileargument(call);
    if (file == nullptr) {
        return false;
    }
    const int descriptor = file->descriptor();
    const off_t start = ::lseek(descriptor, 0, SEEK_CUR);
    std::string line;
    char buffer[4096];
    bool foundend = false;
    off_t position = start;
    while (start >= 0 && !foundend) {
        const ssize_t count = ::pread(descriptor, buffer, sizeof buffer, position);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        const char* end = std::find(buffer, buffer + count, '\n');
        foundend = end != buffer + count;
        line.append(buffer, static_cast<size_t>(end - buffer));
        position += (end - buffer) + (foundend ? 1 : 0);
    }
    if (start < 0 || (!foundend && line.empty())) {
        return failcall(call, "openfilereadline failed");
    }
    ::lseek(descriptor, position, SEEK_SET);
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return resulttext(call, std::move(line));
}

bool writetofile(VornSystemCall& call, const std::string& data) {
    VornScriptOpenFile* file = openfileargument(call);
    if (file == nullptr) {
        return false;
    }
    int64_t written = 0;
    return resultlong(
        call, writeall(file->descriptor(), data.data(), data.size(), written) ? written : -1);
}

bool openfilewritebinary(VornSystemCall& call) {
    return writetofile(call, argumenttext(call, 1));
}

bool openfilewritetext(VornSystemCall& call) {
    const std::string text = argumenttext(call, 1);
    std::string data;
    data.reserve(text.size() + text.size() / 16);
    for (char character : text) {
        if (character == '\n') {
            data += '\r';
        }
        data += character;
    }
    return writetofile(call, data);
}

constexpr VornSystemFunctionEntry openfilefunctions[] = {
    {"fileopen($)", fileopen},
    {"fileopen($$)", fileopen},
    {"openfileclose($)", openfileclose},
    {"openfilepos($)", openfilepos},
    {"openfilesize($)", openfilesize},
    {"openfileseekbegin($)", openfileseekbegin},
    {"openfileseekbegin($$)", openfileseekbegin},
    {"openfileseekcurrent($$)", openfileseekcurrent},
    {"openfileseekend($)", openfileseekend},
    {"openfileseekend($$)", openfileseekend},
    {"openfilechangesize($$)", openfilechangesize},
    {"openfilereadbinary($$)", openfilereadbinary},
    {"openfilereadline($)", openfilereadline},
    {"openfilewritebinary($$)", openfilewritebinary},
    {"openfilewritetext($$)", openfilewritetext},
};

} // namespace

VornSystemFunctionTable openfilefunctiontable() {
    return openfilefunctions;
}

} // namespace vornscript
