// The bitmap behind a script's picture: a true-colour image kept by libgd,
// which also decodes and encodes the file formats and draws text with
// FreeType through fontconfig. This is the only module that knows libgd, so
// another platform swaps this pair of files. Colours cross this interface as
// 0xRRGGBB numbers (red in bits 16 to 23); drawing is always opaque.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace vornscript {

enum class VornPictureFormat { bmp, gif, jpeg, png, tiff };

// Largest picture made or accepted: a side of at most [maxpictureside] pixels
// and at most [maxpicturepixels] pixels in all, so a wrong size fails instead
// of exhausting memory.
constexpr int64_t maxpictureside = 32767;
constexpr int64_t maxpicturepixels = int64_t{1} << 26;

class VornPicture {
public:
    // A black picture; nullptr for a size outside 1..maxpictureside or above
    // maxpicturepixels, or when memory runs out.
    static std::unique_ptr<VornPicture> create(int64_t width, int64_t height);
    // A picture from the bytes of a BMP, GIF, JPEG, PNG or TIFF file, told
    // apart by their first bytes; nullptr for anything else or broken data.
    static std::unique_ptr<VornPicture> decode(std::string_view bytes);

    ~VornPicture();
    VornPicture(const VornPicture&) = delete;
    VornPicture& operator=(const VornPicture&) = delete;

    int width() const;
    int height() const;
    // 0xAARRGGBB with alpha 255 for an opaque pixel; (x, y) inside the picture.
    uint32_t pixel(int x, int y) const;

    // The bytes of a file in [format]; false when the encoder fails.
    bool encode(VornPictureFormat format, std::string& bytes) const;

    // Fills [width] x [height] pixels from (x, y); a negative width or height
    // extends left or up from (x, y). The part outside the picture is skipped.
    void fillrect(int64_t x, int64_t y, int64_t width, int64_t height, uint32_t rgb);
    // Draws UTF-8 [text] in "Arial" into the rectangle, clipped to it: lines
    // break at line ends and, between words, where a line would be wider than
    // the rectangle. False with libgd's message when the font fails.
    bool drawtext(int64_t x, int64_t y, int64_t width, int64_t height, std::string_view text,
                  uint32_t rgb, std::string& error);

private:
    struct Image;
    explicit VornPicture(Image* image);
    Image* image_;
};

} // namespace vornscript
