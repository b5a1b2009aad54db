// libgd behind VornPicture (see picture.h). Every image is true colour with
// its alpha saved in PNG files. libgd's messages, and those that libpng and
// libtiff write straight to standard error (libtiff warns on every TIFF it
// writes), are kept out of the program's output: every failure reaches the
// script as its own error instead.
//
// libgd is opened with dlopen when the first picture is made, not linked:
// it brings some fifty libraries (codecs, FreeType, fontconfig), and loading
// them at every start made each start of the program five times slower.
#include "support/picture.h"

#include "support/systemlibrary.h"

#include <fcntl.h>
#include <gd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define VORN_LEAKS_CHECKED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORN_LEAKS_CHECKED 1
#endif
#endif

#ifdef VORN_LEAKS_CHECKED
// fontconfig, which libgd asks for the font on the first text, drops one
// small block of its own for good; the leak checker of sanitizer builds
// would fail every run that draws text because of it.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif

namespace vornscript {

struct VornPicture::Image {
    gdImagePtr gd;
};

namespace {

// Text is set in "Arial" at 12 points on a 96 dpi screen: a 16-pixel em.
// Lines are 18 pixels apart with the baseline 15 pixels below a line's top,
// Arial's ascent (0.905 em) and descent (0.212 em) rounded as a screen font.
constexpr const char* fontname = "Arial";
constexpr double fontpoints = 12;
constexpr int fontdpi = 96;
constexpr int lineheight = 18;
constexpr int baselineoffset = 15;

// Text positions handed to libgd are cut to this range; it is still far
// outside every picture.
constexpr int64_t farcoordinate = int64_t{1} << 30;

// ---- the library ----

// The shared object of Debian's libgd3: ABI version 3, the one gd.h of
// libgd 2.x declares.
constexpr const char* gdlibraryname = "libgd.so.3";

// The libgd functions this module calls, each a slot of GdLibrary below
// named and typed after the function in gd.h.
#define VORN_GD_FUNCTIONS(X)                                                                       \
    X(gdSetErrorMethod)                                                                            \
    X(gdImageCreateTrueColor)                                                                      \
    X(gdImageCreate)                                                                               \
    X(gdImageColorAllocate)                                                                        \
    X(gdImageSetPixel)                                                                             \
    X(gdImageDestroy)                                                                              \
    X(gdImageCreateFromBmpPtr)                                                                     \
    X(gdImageCreateFromGifPtr)                                                                     \
    X(gdImageCreateFromJpegPtrEx)                                                                  \
    X(gdImageCreateFromPngPtr)                                                                     \
    X(gdImageCreateFromTiffPtr)                                                                    \
    X(gdImagePaletteToTrueColor)                                                                   \
    X(gdImageSaveAlpha)                                                                            \
    X(gdImageGetTrueColorPixel)                                                                    \
    X(gdImageBmpPtr)                                                                               \
    X(gdImageGifPtr)                                                                               \
    X(gdImageJpegPtr)                                                                              \
    X(gdImagePngPtr)                                                                               \
    X(gdImageTiffPtr)                                                                              \
    X(gdFree)                                                                                      \
    X(gdImageFilledRectangle)                                                                      \
    X(gdImageStringFTEx)                                                                           \
    X(gdImageGetClip)                                                                              \
    X(gdImageSetClip)

struct GdLibrary {
    VORN_GD_FUNCTIONS(VORN_LIBRARY_POINTER)
};

void quietgderror(int, const char*, va_list) {}

// The library, opened once; nullptr when it or one of its functions is
// missing (every picture function then fails with its own message).
const GdLibrary* opengd() {
    static const std::optional<GdLibrary> library = []() -> std::optional<GdLibrary> {
        void* handle = loadsystemlibrary(gdlibraryname);
        if (handle == nullptr) {
            return std::nullopt;
        }
        GdLibrary functions;
#define VORN_GD_BIND(name) bindlibraryfunction(handle, #name, functions.name)&&
        if (!(VORN_GD_FUNCTIONS(VORN_GD_BIND) true)) {
            return std::nullopt;
        }
#undef VORN_GD_BIND
        functions.gdSetErrorMethod(quietgderror);
        return functions;
    }();
    return library ? &*library : nullptr;
}

// The library where a picture exists, so it is open.
const GdLibrary& gd() {
    return *opengd();
}

// Points standard error at /dev/null for the lifetime of the object: the
// codecs' own messages have no other switch.
class QuietStandardError {
public:
    QuietStandardError() {
        std::fflush(stderr);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
            if (saved_ >= 0) {
                ::dup2(null, STDERR_FILENO);
            }
            ::close(null);
        }
    }
    ~QuietStandardError() {
        if (saved_ >= 0) {
            std::fflush(stderr);
            ::dup2(saved_, STDERR_FILENO);
            ::close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

// Sums and differences of script numbers stop at the ends of the range
// instead of overflowing.
int64_t saturatedsum(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return a < 0 ? INT64_MIN : INT64_MAX;
    }
    return sum;
}

int64_t saturateddifference(int64_t a, int64_t b) {
    int64_t difference = 0;
    if (__builtin_sub_overflow(a, b, &difference)) {
        return a < b ? INT64_MIN : INT64_MAX;
    }
    return difference;
}

struct Box {
    int64_t left, top, right, bottom; // right and bottom exclusive
    bool empty() const { return left >= right || top >= bottom; }
};

// The rectangle from (x, y); a negative width or height counts backwards.
Box rectangle(int64_t x, int64_t y, int64_t width, int64_t height) {
    const int64_t xend = saturatedsum(x, width);
    const int64_t yend = saturatedsum(y, height);
    return {std::min(x, xend), std::min(y, yend), std::max(x, xend), std::max(y, yend)};
}

Box clipped(const Box& box, const gdImagePtr image) {
    return {std::max<int64_t>(box.left, 0), std::max<int64_t>(box.top, 0),
            std::min<int64_t>(box.right, gdImageSX(image)),
            std::min<int64_t>(box.bottom, gdImageSY(image))};
}

int gdcolor(uint32_t rgb) {
    return gdTrueColorAlpha((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, gdAlphaOpaque);
}

// ---- decoding and encoding ----

struct Decoder {
    std::string_view signature;
    gdImagePtr (*decode)(int size, void* data);
};

const Decoder decoders[] = {
    {"BM", [](int size, void* data) { return gd().gdImageCreateFromBmpPtr(size, data); }},
    {"GIF8", [](int size, void* data) { return gd().gdImageCreateFromGifPtr(size, data); }},
    {"\xFF\xD8\xFF",
     [](int size, void* data) { return gd().gdImageCreateFromJpegPtrEx(size, data, 1); }},
    {"\x89PNG\r\n\x1A\n",
     [](int size, void* data) { return gd().gdImageCreateFromPngPtr(size, data); }},
    {std::string_view("II*\0", 4),
     [](int size, void* data) { return gd().gdImageCreateFromTiffPtr(size, data); }},
    {std::string_view("MM\0*", 4),
     [](int size, void* data) { return gd().gdImageCreateFromTiffPtr(size, data); }},
};

// GIF keeps at most 256 colours. A picture with no more than that is written
// with exactly its own colours; libgd's quantizer, used for the others,
// shifts even the colours of a two-colour picture. Alpha is not kept.
void* encodegif(gdImagePtr image, int* size) {
    const int width = gdImageSX(image);
    const int height = gdImageSY(image);
    const gdImagePtr palette = gd().gdImageCreate(width, height);
    if (palette == nullptr) {
        return nullptr;
    }
    std::unordered_map<int, int> indexes;
    for (int y = 0; y < height && indexes.size() <= gdMaxColors; ++y) {
        for (int x = 0; x < width; ++x) {
            const int color = gd().gdImageGetTrueColorPixel(image, x, y);
            auto [entry, added] = indexes.try_emplace(color & 0xFFFFFF, 0);
            if (added) {
                if (indexes.size() > gdMaxColors) {
                    break;
                }
                entry->second = gd().gdImageColorAllocate(palette, gdTrueColorGetRed(color),
                                                          gdTrueColorGetGreen(color),
                                                          gdTrueColorGetBlue(color));
            }
            gd().gdImageSetPixel(palette, x, y, entry->second);
        }
    }
    void* data = indexes.size() <= gdMaxColors ? gd().gdImageGifPtr(palette, size)
                                               : gd().gdImageGifPtr(image, size);
    gd().gdImageDestroy(palette);
    return data;
}

// Indexed by VornPictureFormat; BMP uncompressed, JPEG at libjpeg's default
// quality.
using Encoder = void* (*)(gdImagePtr image, int* size);
const std::array<Encoder, 5> encoders = {
    [](gdImagePtr image, int* size) { return gd().gdImageBmpPtr(image, size, 0); },
    encodegif,
    [](gdImagePtr image, int* size) { return gd().gdImageJpegPtr(image, size, -1); },
    [](gdImagePtr image, int* size) { return gd().gdImagePngPtr(image, size); },
    [](gdImagePtr image, int* size) { return gd().gdImageTiffPtr(image, size); },
};

// ---- text ----

// libgd reads "&...;" as a character entity, so '&' is written as one, and
// control characters (tabs among them) show as blanks.
std::string gdtext(std::string_view text) {
    std::string result;
    for (const char c : text) {
        if (c == '&') {
            result += "&#38;";
        } else {
            result += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        }
    }
    return result;
}

// Draws [text] with its baseline's start at (x, y), or only measures it when
// [image] is null; the right end of its ink, or libgd's message.
const char* settext(gdImagePtr image, int color, int x, int y, const std::string& text,
                    int& right) {
    int bounds[8] = {};
    gdFTStringExtra extra{};
    extra.flags = gdFTEX_RESOLUTION | gdFTEX_FONTCONFIG;
    extra.hdpi = fontdpi;
    extra.vdpi = fontdpi;
    const char* error =
        gd().gdImageStringFTEx(image, bounds, color, const_cast<char*>(fontname), fontpoints, 0, x,
                               y, const_cast<char*>(text.c_str()), &extra);
    right = bounds[2] - x;
    return error;
}

// Widths of words in pixels, each word measured once: lines are laid out
// from word widths, so long texts cost time in proportion to their length.
class TextMeasure {
public:
    bool width(const std::string& text, int64_t& result, std::string& error) {
        if (text.empty()) {
            result = 0;
            return true;
        }
        if (const auto found = widths_.find(text); found != widths_.end()) {
            result = found->second;
            return true;
        }
        int right = 0;
        if (const char* failure = settext(nullptr, 0, 0, 0, text, right)) {
            error = failure;
            return false;
        }
        result = widths_[text] = right;
        return true;
    }

private:
    std::unordered_map<std::string, int64_t> widths_;
};

// The first [maxlines] lines of [text] for a rectangle [width] pixels wide:
// breaks at line ends, and between words where the line would grow wider; a
// single word wider than the rectangle keeps a line of its own.
bool layoutlines(std::string_view text, int64_t width, size_t maxlines,
                 std::vector<std::string>& lines, std::string& error) {
    TextMeasure measure;
    int64_t twowords = 0;
    int64_t joined = 0;
    if (!measure.width("x x", twowords, error) || !measure.width("xx", joined, error)) {
        return false;
    }
    const int64_t blank = twowords - joined;
    for (size_t start = 0; start <= text.size() && lines.size() < maxlines;) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string_view paragraph = text.substr(start, end - start);
        if (paragraph.ends_with('\r')) {
            paragraph.remove_suffix(1);
        }
        std::string line;
        int64_t linewidth = 0;
        for (size_t wordstart = 0; wordstart <= paragraph.size();) {
            const size_t wordend = std::min(paragraph.find(' ', wordstart), paragraph.size());
            const std::string word = gdtext(paragraph.substr(wordstart, wordend - wordstart));
            int64_t wordwidth = 0;
            if (!measure.width(word, wordwidth, error)) {
                return false;
            }
            if (wordstart == 0) {
                line = word;
                linewidth = wordwidth;
            } else if (!line.empty() && linewidth + blank + wordwidth > width) {
                lines.push_back(std::move(line));
                line = word;
                linewidth = wordwidth;
            } else {
                line += ' ';
                line += word;
                linewidth += blank + wordwidth;
            }
            wordstart = wordend + 1;
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return true;
}

} // namespace

VornPicture::VornPicture(Image* image) : image_(image) {
    gd().gdImageSaveAlpha(image_->gd, 1);
}

VornPicture::~VornPicture() {
    gd().gdImageDestroy(image_->gd);
    delete image_;
}

std::unique_ptr<VornPicture> VornPicture::create(int64_t width, int64_t height) {
    if (width < 1 || height < 1 || width > maxpictureside || height > maxpictureside ||
        width * height > maxpicturepixels || opengd() == nullptr) {
        return nullptr;
    }
    const QuietStandardError quiet;
    const gdImagePtr image =
        gd().gdImageCreateTrueColor(static_cast<int>(width), static_cast<int>(height));
    if (image == nullptr) {
        return nullptr;
    }
    return std::unique_ptr<VornPicture>(new VornPicture(new Image{image}));
}

std::unique_ptr<VornPicture> VornPicture::decode(std::string_view bytes) {
    if (bytes.size() > static_cast<size_t>(INT32_MAX) || opengd() == nullptr) {
        return nullptr;
    }
    const QuietStandardError quiet;
    for (const Decoder& decoder : decoders) {
        if (!bytes.starts_with(decoder.signature)) {
            continue;
        }
        const gdImagePtr image =
            decoder.decode(static_cast<int>(bytes.size()), const_cast<char*>(bytes.data()));
        if (image == nullptr) {
            return nullptr;
        }
        const int64_t width = gdImageSX(image);
        const int64_t height = gdImageSY(image);
        if (width > maxpictureside || height > maxpictureside ||
            width * height > maxpicturepixels || !gd().gdImagePaletteToTrueColor(image)) {
            gd().gdImageDestroy(image);
            return nullptr;
        }
        return std::unique_ptr<VornPicture>(new VornPicture(new Image{image}));
    }
    return nullptr;
}

int VornPicture::width() const {
    return gdImageSX(image_->gd);
}

int VornPicture::height() const {
    return gdImageSY(image_->gd);
}

uint32_t VornPicture::pixel(int x, int y) const {
    const int color = gd().gdImageGetTrueColorPixel(image_->gd, x, y);
    const uint32_t alpha = (gdAlphaMax - gdTrueColorGetAlpha(color)) * 255 / gdAlphaMax;
    return alpha << 24 | static_cast<uint32_t>(gdTrueColorGetRed(color)) << 16 |
           static_cast<uint32_t>(gdTrueColorGetGreen(color)) << 8 |
           static_cast<uint32_t>(gdTrueColorGetBlue(color));
}

bool VornPicture::encode(VornPictureFormat format, std::string& bytes) const {
    const QuietStandardError quiet;
    int size = 0;
    void* data = encoders[static_cast<size_t>(format)](image_->gd, &size);
    if (data == nullptr) {
        return false;
    }
    bytes.assign(static_cast<const char*>(data), static_cast<size_t>(size));
    gd().gdFree(data);
    return size > 0;
}

void VornPicture::fillrect(int64_t x, int64_t y, int64_t width, int64_t height, uint32_t rgb) {
    const Box box = clipped(rectangle(x, y, width, height), image_->gd);
    if (!box.empty()) {
        gd().gdImageFilledRectangle(image_->gd, static_cast<int>(box.left),
                                    static_cast<int>(box.top), static_cast<int>(box.right - 1),
                                    static_cast<int>(box.bottom - 1), gdcolor(rgb));
    }
}

bool VornPicture::drawtext(int64_t x, int64_t y, int64_t width, int64_t height,
                           std::string_view text, uint32_t rgb, std::string& error) {
    const QuietStandardError quiet;
    const Box box = rectangle(x, y, width, height);
    const Box clip = clipped(box, image_->gd);
    if (clip.empty()) {
        return true;
    }
    // Lines that start below the clip are never laid out.
    const auto maxlines =
        static_cast<size_t>((saturateddifference(clip.bottom, box.top) - 1) / lineheight + 1);
    std::vector<std::string> lines;
    if (!layoutlines(text, saturateddifference(box.right, box.left), maxlines, lines, error)) {
        return false;
    }
    int oldclip[4];
    gd().gdImageGetClip(image_->gd, &oldclip[0], &oldclip[1], &oldclip[2], &oldclip[3]);
    gd().gdImageSetClip(image_->gd, static_cast<int>(clip.left), static_cast<int>(clip.top),
                        static_cast<int>(clip.right - 1), static_cast<int>(clip.bottom - 1));
    bool drawn = true;
    const auto left = static_cast<int>(std::max(box.left, -farcoordinate));
    int64_t linetop = box.top;
    for (const std::string& line : lines) {
        if (linetop >= clip.bottom) {
            break;
        }
        if (saturatedsum(linetop, lineheight) > clip.top) {
            int right = 0;
            if (const char* failure =
                    settext(image_->gd, gdcolor(rgb), left,
                            static_cast<int>(linetop + baselineoffset), line, right)) {
                error = failure;
                drawn = false;
                break;
            }
        }
        linetop = saturatedsum(linetop, lineheight);
    }
    gd().gdImageSetClip(image_->gd, oldclip[0], oldclip[1], oldclip[2], oldclip[3]);
    return drawn;
}

} // namespace vornscript
