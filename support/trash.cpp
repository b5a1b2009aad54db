// freedesktop.org home trash (see trash.h).
#include "support/trash.h"

#include "support/platformfolders.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vornscript {

namespace {

namespace fs = std::filesystem;

// Enough attempts for any realistic number of same-named trashed files.
constexpr int maximumnameattempts = 100000;

bool iskeptinpath(unsigned char character) {
    return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z') ||
           (character >= '0' && character <= '9') || character == '/' || character == '-' ||
           character == '_' || character == '.' || character == '~';
}

std::string deletiondate() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &parts);
    return text;
}

bool writeall(int descriptor, const std::string& text) {
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += static_cast<size_t>(count);
    }
    return true;
}

// Creates info/<name>.trashinfo exclusively for the first free name; the
// chosen name comes back in [trashname].
bool reserveinfoentry(const std::string& folder, const std::string& name, const std::string& info,
                      std::string& trashname) {
    const fs::path stem = fs::path(name).stem();
    const fs::path extension = fs::path(name).extension();
    for (int attempt = 1; attempt <= maximumnameattempts; ++attempt) {
        trashname = attempt == 1
                        ? name
                        : stem.string() + "." + std::to_string(attempt) + extension.string();
        const std::string infopath = folder + "info/" + trashname + ".trashinfo";
        const int descriptor =
            ::open(infopath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return false;
        }
        const bool written = writeall(descriptor, info);
        ::close(descriptor);
        if (!written) {
            ::unlink(infopath.c_str());
            return false;
        }
        return true;
    }
    return false;
}

// rename, or copy and remove when the trash lies on another file system.
bool moveinto(const fs::path& source, const fs::path& target) {
    std::error_code error;
    fs::rename(source, target, error);
    if (!error) {
        return true;
    }
    if (error != std::errc::cross_device_link) {
        return false;
    }
    fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
    if (error) {
        fs::remove_all(target, error);
        return false;
    }
    fs::remove_all(source, error);
    return !error;
}

} // namespace

std::string trashfolder() {
    const char* datahome = std::getenv("XDG_DATA_HOME");
    if (datahome != nullptr && *datahome != '\0') {
        return withfinalslash(std::string(datahome) + "/Trash");
    }
    return withfinalslash(homefolder() + "/.local/share/Trash");
}

std::string trashinfopath(const std::string& absolutepath) {
    static constexpr char hexdigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(absolutepath.size());
    for (unsigned char character : absolutepath) {
        if (iskeptinpath(character)) {
            encoded += static_cast<char>(character);
        } else {
            encoded += '%';
            encoded += hexdigits[character >> 4];
            encoded += hexdigits[character & 15];
        }
    }
    return encoded;
}

bool movetotrash(const std::string& path) {
    std::error_code error;
    const fs::path source = fs::absolute(fs::path(path), error).lexically_normal();
    if (error || !fs::exists(fs::symlink_status(source, error))) {
        return false;
    }
    // "a/b/" names the folder b.
    const fs::path named = source.has_filename() ? source : source.parent_path();
    const std::string folder = trashfolder();
    // Deleted files may be private, so the trash folders are the user's alone.
    fs::create_directories(fs::path(folder).parent_path().parent_path(), error);
    for (const std::string& part : {folder, folder + "files", folder + "info"}) {
        ::mkdir(part.c_str(), 0700);
    }
    const std::string info = "[Trash Info]\nPath=" + trashinfopath(named.string()) +
                             "\nDeletionDate=" + deletiondate() + "\n";
    std::string trashname;
    if (!reserveinfoentry(folder, named.filename().string(), info, trashname)) {
        return false;
    }
    if (!moveinto(named, folder + "files/" + trashname)) {
        ::unlink((folder + "info/" + trashname + ".trashinfo").c_str());
        return false;
    }
    return true;
}

} // namespace vornscript
