// The installable log sink behind writelogline.
#include "support/logsink.h"

#include <utility>

namespace vornscript {

namespace {

VornLogSink& currentsink() {
    static VornLogSink sink;
    return sink;
}

} // namespace

void setlogsink(VornLogSink sink) {
    currentsink() = std::move(sink);
}

void writelogline(const std::string& text, bool withtime) {
    const VornLogSink& sink = currentsink();
    if (sink) {
        sink(text, withtime);
    }
}

} // namespace vornscript
