// The 32-bit BMP writer (see bitmapdib32.h). Numbers are little-endian as
// the format defines; the resolution fields stay 0 (none recorded).
#include "support/bitmapdib32.h"

#include <cstdint>

namespace vornscript {

namespace {

constexpr uint32_t fileheadersize = 14;
constexpr uint32_t infoheadersize = 40;
constexpr uint16_t bitsperpixel = 32;
constexpr uint32_t uncompressed = 0; // BI_RGB

void appendlittleendian(std::string& bytes, uint32_t value, int size) {
    for (int index = 0; index < size; ++index) {
        bytes += static_cast<char>(value >> (8 * index) & 0xFF);
    }
}

} // namespace

std::string bitmapdibuncompressed32bit(const VornPicture& picture) {
    const auto width = static_cast<uint32_t>(picture.width());
    const auto height = static_cast<uint32_t>(picture.height());
    const uint32_t pixelbytes = width * height * 4;
    std::string bytes;
    bytes.reserve(fileheadersize + infoheadersize + pixelbytes);
    // File header: "BM", file size, two reserved words, offset of the pixels.
    bytes += "BM";
    appendlittleendian(bytes, fileheadersize + infoheadersize + pixelbytes, 4);
    appendlittleendian(bytes, 0, 4);
    appendlittleendian(bytes, fileheadersize + infoheadersize, 4);
    // Info header: size, width, height (positive: bottom-up), one plane, bits
    // per pixel, compression, image size, resolutions, palette counts.
    appendlittleendian(bytes, infoheadersize, 4);
    appendlittleendian(bytes, width, 4);
    appendlittleendian(bytes, height, 4);
    appendlittleendian(bytes, 1, 2);
    appendlittleendian(bytes, bitsperpixel, 2);
    appendlittleendian(bytes, uncompressed, 4);
    appendlittleendian(bytes, pixelbytes, 4);
    for (int field = 0; field < 4; ++field) {
        appendlittleendian(bytes, 0, 4);
    }
    for (int y = picture.height() - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width(); ++x) {
            // 0xAARRGGBB written little-endian is blue, green, red, alpha.
            appendlittleendian(bytes, picture.pixel(x, y), 4);
        }
    }
    return bytes;
}

} // namespace vornscript
