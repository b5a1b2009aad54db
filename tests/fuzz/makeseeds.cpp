// Writes the seed corpus of the fuzz targets into a folder: one file per
// script of the self-test catalogue, then every examples/*.vornscript and
// bench/*.vornscript of the source tree, so the fuzzers start from scripts
// that reach deep into the scanner, the parser and the evaluator.
//
// Usage: vornfuzz_seeds SOURCEFOLDER OUTPUTFOLDER
#include "selftests/selftestsuites.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void writeseed(const std::filesystem::path& folder, const std::string& name,
               const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vornfuzz_seeds SOURCEFOLDER OUTPUTFOLDER\n";
        return 2;
    }
    const std::filesystem::path source = argv[1];
    const std::filesystem::path output = argv[2];
    std::filesystem::create_directories(output);
    size_t count = 0;
    for (const auto& group : vornscriptunittests::cataloguegroups()) {
        for (const auto& row : group.rows) {
            if (row.script != nullptr) {
                writeseed(output, "catalogue-" + std::to_string(count++), row.script);
            }
        }
    }
    for (const char* folder : {"examples", "bench"}) {
        for (const auto& entry : std::filesystem::directory_iterator(source / folder)) {
            if (entry.path().extension() == ".vornscript") {
                std::ifstream in(entry.path(), std::ios::binary);
                const std::string text((std::istreambuf_iterator<char>(in)),
                                       std::istreambuf_iterator<char>());
                writeseed(output, std::string(folder) + "-" + entry.path().filename().string(),
                          text);
                ++count;
            }
        }
    }
    std::cout << count << " seeds written to " << output.string() << "\n";
    return 0;
}
