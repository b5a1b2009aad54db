// The process-wide log file (see logfile.h).
#include "driver/logfile.h"

#include <cstdio>
#include <ctime>
#include <filesystem>

#include "support/logsink.h"

namespace vornscript {

namespace {
// English names as asctime writes them, independent of the C locale.
constexpr const char* weekdaynames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* monthnames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                      "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
} // namespace

std::string logtimestamp() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d",
                  weekdaynames[local.tm_wday % 7], monthnames[local.tm_mon % 12], local.tm_mday,
                  local.tm_hour, local.tm_min, local.tm_sec, local.tm_year + 1900);
    return text;
}

VornLogFile& VornLogFile::instance() {
    static VornLogFile logfile;
    return logfile;
}

void VornLogFile::setfilename(const std::string& name) {
    if (!logfilename.empty()) {
        flush();
    }
    logfilename = name;
    std::filesystem::path folder = std::filesystem::path(name).parent_path();
    if (!folder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    if (!logfilename.empty() && !pendinglines.empty()) {
        flush();
    }
}

void VornLogFile::write(const std::string& text, bool withtime) {
    if (withtime) {
        pendinglines += '[';
        pendinglines += logtimestamp();
        pendinglines += "] ";
    }
    pendinglines += text;
    pendinglines += '\n';
    if (!logfilename.empty()) {
        flush();
    }
}

void VornLogFile::flush() {
    if (pendinglines.empty()) {
        return;
    }
    if (std::FILE* file = std::fopen(logfilename.c_str(), "a")) {
        std::fwrite(pendinglines.data(), 1, pendinglines.size(), file);
        std::fclose(file);
    }
    pendinglines.clear();
}

std::function<void(const std::string& text, bool withtime)> logfilesink() {
    return [](const std::string& text, bool withtime) {
        VornLogFile::instance().write(text, withtime);
    };
}

void installlogfilesink() {
    setlogsink(logfilesink());
}

} // namespace vornscript
