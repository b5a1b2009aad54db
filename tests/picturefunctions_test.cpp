// Script-level tests of the picture functions: the colour helpers, round
// trips through every file format read back pixel by pixel, and the failure
// messages. Files live in a private temporary folder ({d}).
#include "filetestsupport.h"
#include "support/picture.h"
#include "support/wholefile.h"

#include <algorithm>
#include <cstdlib>

namespace vornscriptunittests {
namespace {

using vornscript::VornPicture;

TEST(PictureFunctions, ColourHelpers) {
    checkcases({
        {"getcolor24(255,0,0)", "16711680"},
        {"var c = getcolor24(1,2,3); getred(c) + ',' + getgreen(c) + ',' + getblue(c) + ',' + "
         "getalpha(c)",
         "1,2,3,0"},
        {"getcolor32(128,1,2,3)", "2147549699"},
        {"var c = getcolor32(255,1,2,3); getalpha(c) + ',' + getred(c) + ',' + getblue(c)",
         "255,1,3"},
        // The bytes of a negative number are those of its two's complement.
        {"getred(-1) + ',' + getalpha(-16777216)", "255,255"},
        {"getred('red')", "<error> test Line 1 Col 1 integer value expected"},
    });
}

// The picture the round-trip scripts draw: 32 x 16 pixels of blue with a red
// block at x 8..23, y 4..11, given as 0xRRGGBB.
uint32_t expectedcolor(int x, int y) {
    return x >= 8 && x <= 23 && y >= 4 && y <= 11 ? 0xFF0000 : 0x0000FF;
}

// Distance of (x, y) from the nearest pixel of the other colour.
int edgedistance(int x, int y) {
    int distance = 32;
    for (int oy = 0; oy < 16; ++oy) {
        for (int ox = 0; ox < 32; ++ox) {
            if (expectedcolor(ox, oy) != expectedcolor(x, y)) {
                distance = std::min(distance, std::max(std::abs(ox - x), std::abs(oy - y)));
            }
        }
    }
    return distance;
}

// The picture in [path]: every pixel exact for a lossless format; for a lossy
// one ([lossy]), whose blocks ring at sharp colour edges, the pixels at least
// three pixels from an edge within 32 per channel.
void checkroundtrip(const std::string& path, bool lossy) {
    std::string bytes;
    ASSERT_TRUE(vornscript::readwholefile(path, bytes)) << path;
    const auto picture = VornPicture::decode(bytes);
    ASSERT_TRUE(picture) << path;
    ASSERT_EQ(picture->width(), 32) << path;
    ASSERT_EQ(picture->height(), 16) << path;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 32; ++x) {
            const uint32_t actual = picture->pixel(x, y);
            const uint32_t expected = expectedcolor(x, y);
            EXPECT_EQ(actual >> 24, 0xFFu) << path << " alpha at " << x << "," << y;
            if (!lossy) {
                EXPECT_EQ(actual & 0xFFFFFF, expected) << path << " at " << x << "," << y;
            } else if (edgedistance(x, y) >= 3) {
                for (int shift : {16, 8, 0}) {
                    const int difference = static_cast<int>(actual >> shift & 0xFF) -
                                           static_cast<int>(expected >> shift & 0xFF);
                    EXPECT_LE(std::abs(difference), 32) << path << " at " << x << "," << y;
                }
            }
        }
    }
}

// A literal, so rows can join it with their own script text.
#define DRAWPICTURE                                                                                \
    "var p = picturecreate(32,16); picturefillrect(p,0,0,32,16,getcolor24(0,0,255)); "             \
    "picturefillrect(p,8,4,16,8,getcolor24(255,0,0)); "

// Saves by extension and by format name, loads the file again in the script
// and writes what was loaded with picturesavebpm, so both the saved file and
// the loaded picture are read back.
TEST(PictureFunctions, RoundTripsInEveryFormat) {
    TemporaryFolder folder;
    struct Format {
        const char* extension;
        const char* name;
        bool lossy;
    };
    const Format formats[] = {
        {"bmp", "BMP", false}, {"gif", "GIF", false},   {"JPG", "JPEG", true},
        {"png", "PNG", false}, {"tiff", "TIFF", false},
    };
    for (const Format& format : formats) {
        const std::string saved = folder.path() + "saved." + format.extension;
        const std::string named = folder.path() + "named.dat";
        const std::string loaded = folder.path() + "loaded.bmp";
        // {s} stands for the saved file, {n} for the named one, {l} for the
        // loaded picture's copy.
        std::string script =
            DRAWPICTURE "picturesave(p,'{s}') + picturesave(p,'{n}','{f}') + "
                        "picturesavebpm(pictureload('{s}'),'{l}') + picturedestroy(p)";
        for (const auto& [placeholder, text] : {std::pair<std::string, std::string>{"{s}", saved},
                                                {"{n}", named},
                                                {"{l}", loaded},
                                                {"{f}", format.name}}) {
            script = replaceall(script, placeholder, text);
        }
        EXPECT_EQ(runtestscript(script), "4") << format.name;
        checkroundtrip(saved, format.lossy);
        checkroundtrip(named, format.lossy);
        checkroundtrip(loaded, format.lossy);
    }
}

TEST(PictureFunctions, FailureMessages) {
    TemporaryFolder folder;
    checkfolderrows(
        folder.path(),
        {
            {"pictureload('{d}none.png')", "!pictureload(filename) file not found: {d}none.png"},
            {"closedfilewritetext('{d}text.png', 'no picture'); pictureload('{d}text.png')",
             "!failed loading picture {d}text.png"},
            // A known signature with broken data behind it.
            {"closedfilewritetext('{d}cut.png', '\\x89PNG\\r\\n\\x1A\\n'); "
             "pictureload('{d}cut.png')",
             "!failed loading picture {d}cut.png"},
            {"pictureload('{d}')", "!failed loading picture {d}"},
            {"picturecreate(0,5)", "!failed creating picture"},
            {"picturecreate(5,-1)", "!failed creating picture"},
            {"picturecreate(40000,1)", "!failed creating picture"},
            {"picturecreate(10000,10000)", "!failed creating picture"},
            {"picturecreate('wide',1)", "!failed creating picture"},
            // Numbers that are no picture.
            {"picturesave(0,'{d}a.png')", "!picturesave(picture,filename) failed"},
            {"picturesave(-7,'{d}a.png','PNG')", "!picturesave(picture,filename,format) failed"},
            {"picturesavebpm(123456789,'{d}a.bmp')", "!picturesave(picture,filename) failed"},
            {"picturefillrect(0,0,0,1,1,0)",
             "!picturefillrect(picture,x,y,width,height,color) requires a picture object as "
             "first argument"},
            {"picturedestroy(0)", "0"},
            // Values that are no number at all.
            {"picturesave('abc','{d}a.png')",
             "!picturesave(picture,filename) requires a picture object as first argument"},
            {"picturesave([1],'{d}a.png','PNG')",
             "!picturesave(picture,filename) requires a picture object as first argument"},
            {"picturedrawtext(null,0,0,9,9,'x',0)",
             "!picturedrawtext(picture,x,y,width,height,text,color) requires a picture object "
             "as first argument"},
            {"picturedestroy('abc')",
             "!picturedestroy(picture) requires a picture object as first argument"},
            // A destroyed picture.
            {DRAWPICTURE "picturedestroy(p) + picturedestroy(p)", "1"},
            {DRAWPICTURE "picturedestroy(p); picturesave(p,'{d}a.png')",
             "!picturesave(picture,filename) failed"},
            {DRAWPICTURE "picturedestroy(p); picturesavebpm(p,'{d}a.bmp')",
             "!picturesave(picture,filename) failed"},
            {DRAWPICTURE "picturedestroy(p); picturedrawtext(p,0,0,9,9,'x',0)",
             "!picturedrawtext(picture,x,y,width,height,text,color) requires a picture object "
             "as first argument"},
            // Formats: EMF has no encoder, names compare exactly, unknown
            // extensions fail; none of these leaves a file.
            {DRAWPICTURE "picturesave(p,'{d}a.emf')", "!picturesave(picture,filename) failed"},
            {DRAWPICTURE "picturesave(p,'{d}a.x','EMF')",
             "!picturesave(picture,filename,format) failed"},
            {DRAWPICTURE "picturesave(p,'{d}a.x','png')",
             "!picturesave(picture,filename,format) failed"},
            {DRAWPICTURE "picturesave(p,'{d}a.xyz')", "!picturesave(picture,filename) failed"},
            {DRAWPICTURE "picturesave(p,'{d}noextension')",
             "!picturesave(picture,filename) failed"},
            {"fileexists('{d}a.emf') + fileexists('{d}a.x') + fileexists('{d}a.xyz') + "
             "fileexists('{d}a.png') + fileexists('{d}a.bmp')",
             "0"},
            // Paths that cannot be written.
            {DRAWPICTURE "picturesave(p,'{d}nofolder/a.png')",
             "!picturesave(picture,filename) failed"},
            {DRAWPICTURE "picturesave(p,'{d}nofolder/a.png','PNG')",
             "!picturesave(picture,filename,format) failed"},
            {DRAWPICTURE "picturesavebpm(p,'{d}nofolder/a.bmp')",
             "!picturesave(picture,filename) failed"},
            {DRAWPICTURE "picturefillrect(p,0,0,1,1,'red')", "!integer value expected"},
        });
}

// The restricted context keeps picture files inside the temporary folder.
TEST(PictureFunctions, SavingAsksForPermission) {
    TemporaryFolder folder;
    checkfolderrows(
        folder.path(),
        {
            {DRAWPICTURE "picturesave(p,'{d}a.png')", "1"},
            {DRAWPICTURE "picturesave(p,'/proc/vorn.png')", "!no permission to write file"},
        },
        true);
}

} // namespace
} // namespace vornscriptunittests
