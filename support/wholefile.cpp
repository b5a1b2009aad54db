// Whole-file reading and writing through the C runtime: fread reports a
// folder opened for reading as an error, which the stream classes hide.
#include "support/wholefile.h"

#include <cstdio>
#include <memory>

namespace vornscript {

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;
} // namespace

bool readwholefile(const std::string& path, std::string& content) {
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return false;
    }
    content.clear();
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, count);
    }
    return std::ferror(file.get()) == 0;
}

bool writewholefile(const std::string& path, std::string_view content) {
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        return false;
    }
    bool written = std::fwrite(content.data(), 1, content.size(), file.get()) == content.size();
    return std::fclose(file.release()) == 0 && written;
}

} // namespace vornscript
