// Process-wide seam between modules that log and the log file. Any module may
// call writelogline; the log-file module installs the sink that receives the
// lines at start-up. Until a sink is installed, lines are dropped, so the
// value layer can log without depending on the driver.
#pragma once

#include <functional>
#include <string>

namespace vornscript {

// Receives one line; withtime asks for the "[" local time "] " prefix.
using VornLogSink = std::function<void(const std::string& text, bool withtime)>;

// Installs the sink (an empty function removes it).
void setlogsink(VornLogSink sink);

// Hands the line to the installed sink, if any.
void writelogline(const std::string& text, bool withtime);

} // namespace vornscript
