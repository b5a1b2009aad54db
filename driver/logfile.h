// The process-wide log file: time-stamped lines from the program, the profiler
// and scripts. Each write opens the file for appending, writes and closes it
// again, so nothing is lost when the process ends abruptly; lines written
// before the driver names the file wait in a buffer until it does.
#pragma once

#include <functional>
#include <string>

namespace vornscript {

class VornLogFile {
public:
    // The one instance of the process.
    static VornLogFile& instance();

    // Writes buffered lines to the current file (if any), stores the new name
    // and creates its folder (with parents) when the name has a folder part.
    // Lines still waiting for a file go to the new one.
    void setfilename(const std::string& name);
    const std::string& filename() const { return logfilename; }

    // Appends text and "\n"; withtime puts "[" local time "] " before it.
    void write(const std::string& text, bool withtime);

private:
    VornLogFile() = default;
    // Appends the buffer to the named file and empties the buffer, also when
    // the file cannot be opened (those lines are lost without a report).
    void flush();

    std::string logfilename;
    // Lines waiting for a file name.
    std::string pendinglines;
};

// The local time in the C library's asctime form without the line end, with
// a two-digit day: "Wed Jan 02 02:03:55 1980".
std::string logtimestamp();

// A callable that forwards one line to VornLogFile::instance().write; the
// log seam of the value layer (writelogline) takes it as its sink.
std::function<void(const std::string& text, bool withtime)> logfilesink();

// Makes the log file the receiver of vornscript::writelogline.
void installlogfilesink();

} // namespace vornscript
