// Tests of the picture module: filling and its clipping, text drawn inside
// its rectangle only (with line breaks), and the bytes of the 32-bit BMP
// writer.
#include "support/bitmapdib32.h"
#include "support/picture.h"

#include <gtest/gtest.h>

#include <string>

namespace vornscriptunittests {
namespace {

using vornscript::VornPicture;

constexpr uint32_t opaque = 0xFF000000;
constexpr uint32_t white = 0xFFFFFF;

// Pixels of [picture] that differ from [background] (0xRRGGBB), each tested
// against [inside]; the number that differ.
template <typename Inside>
int changedpixels(const VornPicture& picture, uint32_t background, Inside inside) {
    int changed = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (picture.pixel(x, y) != (opaque | background)) {
                ++changed;
                EXPECT_TRUE(inside(x, y)) << "changed outside at " << x << "," << y;
            }
        }
    }
    return changed;
}

TEST(Picture, CreateAndFill) {
    EXPECT_FALSE(VornPicture::create(0, 1));
    EXPECT_FALSE(VornPicture::create(1, vornscript::maxpictureside + 1));
    auto picture = VornPicture::create(10, 8);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->pixel(9, 7), opaque); // new pictures are black
    // A negative width and height count left and up from the corner.
    picture->fillrect(5, 5, -3, -2, 0x123456);
    EXPECT_EQ(changedpixels(*picture, 0,
                            [](int x, int y) { return x >= 2 && x <= 4 && y >= 3 && y <= 4; }),
              6);
    EXPECT_EQ(picture->pixel(2, 3), opaque | 0x123456);
    // Rectangles reaching past the picture, even by extreme numbers, fill the
    // part inside it.
    picture->fillrect(INT64_MIN / 2, INT64_MIN / 2, INT64_MAX, INT64_MAX, white);
    picture->fillrect(INT64_MAX, 0, INT64_MAX, 5, 0); // outside
    picture->fillrect(INT64_MIN, 0, INT64_MAX, 5, 0); // ends at -1: outside
    picture->fillrect(-3, 6, 100, INT64_MAX, 0xFF0000);
    EXPECT_EQ(picture->pixel(0, 0), opaque | white);
    EXPECT_EQ(picture->pixel(9, 5), opaque | white);
    EXPECT_EQ(picture->pixel(0, 6), opaque | 0xFF0000);
    EXPECT_EQ(picture->pixel(9, 7), opaque | 0xFF0000);
    picture->fillrect(0, 0, 0, 5, 0); // empty
    EXPECT_EQ(picture->pixel(0, 0), opaque | white);
}

TEST(Picture, TextStaysInsideItsRectangle) {
    auto picture = VornPicture::create(120, 80);
    ASSERT_TRUE(picture);
    picture->fillrect(0, 0, 120, 80, white);
    std::string error;
    // The rectangle cuts through the second line.
    ASSERT_TRUE(picture->drawtext(10, 10, 60, 25, "Hello wide world", 0x000000, error)) << error;
    const auto inside = [](int x, int y) { return x >= 10 && x < 70 && y >= 10 && y < 35; };
    EXPECT_GT(changedpixels(*picture, white, inside), 20);
    // The words that do not fit the first line go to the second (18 pixels
    // down), which shows in the rows below the first line.
    bool secondline = false;
    for (int x = 10; x < 70; ++x) {
        for (int y = 29; y < 35; ++y) {
            secondline = secondline || picture->pixel(x, y) != (opaque | white);
        }
    }
    EXPECT_TRUE(secondline);

    // Line ends break lines too; an empty text and a rectangle outside the
    // picture draw nothing.
    auto lines = VornPicture::create(60, 60);
    ASSERT_TRUE(lines);
    lines->fillrect(0, 0, 60, 60, white);
    ASSERT_TRUE(lines->drawtext(0, 0, 60, 60, "A\r\nB & C\tD", 0xFF0000, error)) << error;
    ASSERT_TRUE(lines->drawtext(0, 0, 60, 60, "", 0, error));
    ASSERT_TRUE(lines->drawtext(-100, 0, 50, 60, "outside", 0, error));
    ASSERT_TRUE(lines->drawtext(0, INT64_MIN, INT64_MAX, 10, "outside", 0, error));
    ASSERT_TRUE(lines->drawtext(INT64_MAX, INT64_MAX, INT64_MAX, INT64_MAX, "outside", 0, error));
    int secondrow = 0;
    const int changed = changedpixels(*lines, white, [&](int, int y) {
        secondrow += y >= 18 && y < 36;
        return y < 36;
    });
    EXPECT_GT(changed, 0);
    EXPECT_GT(secondrow, 0);
    // Red text: the darkest pixels keep their red.
    EXPECT_EQ(lines->pixel(0, 0) & 0xFF0000, 0xFF0000u);
}

std::string littleendian(uint32_t value, int size) {
    std::string bytes;
    for (int index = 0; index < size; ++index) {
        bytes += static_cast<char>(value >> (8 * index) & 0xFF);
    }
    return bytes;
}

TEST(Picture, Uncompressed32BitBmp) {
    auto picture = VornPicture::create(3, 2);
    ASSERT_TRUE(picture);
    picture->fillrect(0, 0, 3, 1, 0x102030); // top row
    picture->fillrect(2, 1, 1, 1, 0xA0B0C0); // bottom right
    const std::string bytes = vornscript::bitmapdibuncompressed32bit(*picture);
    const std::string header = "BM" + littleendian(14 + 40 + 24, 4) + littleendian(0, 4) +
                               littleendian(54, 4) + littleendian(40, 4) + littleendian(3, 4) +
                               littleendian(2, 4) + littleendian(1, 2) + littleendian(32, 2) +
                               littleendian(0, 4) + littleendian(24, 4) + std::string(16, '\0');
    // Bottom row first; blue, green, red, alpha.
    const std::string pixels = std::string("\x00\x00\x00\xFF\x00\x00\x00\xFF\xC0\xB0\xA0\xFF"
                                           "\x30\x20\x10\xFF\x30\x20\x10\xFF\x30\x20\x10\xFF",
                                           24);
    EXPECT_EQ(bytes, header + pixels);
    // The image library reads it back as the same picture.
    const auto loaded = VornPicture::decode(bytes);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->pixel(0, 0), opaque | 0x102030);
    EXPECT_EQ(loaded->pixel(2, 1), opaque | 0xA0B0C0);
    EXPECT_EQ(loaded->pixel(0, 1), opaque);
}

// GIF keeps the exact colours of a picture with up to 256 of them and still
// writes one with more (quantized).
TEST(Picture, GifColours) {
    for (const int colours : {256, 300}) {
        auto picture = VornPicture::create(colours, 2);
        ASSERT_TRUE(picture);
        for (int x = 0; x < colours; ++x) {
            picture->fillrect(x, 0, 1, 2, static_cast<uint32_t>(x * 0x010203));
        }
        std::string gif;
        ASSERT_TRUE(picture->encode(vornscript::VornPictureFormat::gif, gif)) << colours;
        const auto loaded = VornPicture::decode(gif);
        ASSERT_TRUE(loaded) << colours;
        EXPECT_EQ(loaded->width(), colours);
        if (colours <= 256) {
            for (int x = 0; x < colours; ++x) {
                EXPECT_EQ(loaded->pixel(x, 1), picture->pixel(x, 1)) << x;
            }
        }
    }
}

// The codecs' own warnings (libtiff warns on every TIFF it writes, libpng on
// broken chunks) never reach the program's output.
TEST(Picture, CodecsStayQuiet) {
    auto picture = VornPicture::create(4, 4);
    ASSERT_TRUE(picture);
    testing::internal::CaptureStderr();
    std::string tiff;
    EXPECT_TRUE(picture->encode(vornscript::VornPictureFormat::tiff, tiff));
    EXPECT_TRUE(VornPicture::decode(tiff));
    EXPECT_FALSE(VornPicture::decode(tiff.substr(0, 12)));
    EXPECT_FALSE(VornPicture::decode("\x89PNG\r\n\x1A\n" + std::string(40, 'x')));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

} // namespace
} // namespace vornscriptunittests
