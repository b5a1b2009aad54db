// The picture family (see picturefunctions.h). Colour numbers are
// 0xAARRGGBB; fill and text use their red, green and blue bytes as such, so
// getcolor24(255,0,0) draws red, and ignore the alpha byte: pictures are
// drawn opaque. Script texts are Windows-1252 and drawn as such.
#include "sysfunctions/picturefunctions.h"

#include "support/bitmapdib32.h"
#include "support/charconvert.h"
#include "support/pathtext.h"
#include "support/picture.h"
#include "support/stringbasics.h"
#include "support/wholefile.h"
#include "sysfunctions/filecallsupport.h"
#include "values/conversions.h"

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <unordered_map>

namespace vornscript {

namespace {

constexpr const char* savefailed = "picturesave(picture,filename) failed";
constexpr const char* saveformatfailed = "picturesave(picture,filename,format) failed";
constexpr const char* savenopicture =
    "picturesave(picture,filename) requires a picture object as first argument";
constexpr const char* fillnopicture =
    "picturefillrect(picture,x,y,width,height,color) requires a picture object as first argument";
constexpr const char* drawnopicture =
    "picturedrawtext(picture,x,y,width,height,text,color) requires a picture object as first "
    "argument";
constexpr const char* destroynopicture =
    "picturedestroy(picture) requires a picture object as first argument";

// ---- the pictures of the process ----

std::unordered_map<int64_t, std::unique_ptr<VornPicture>>& pictures() {
    static std::unordered_map<int64_t, std::unique_ptr<VornPicture>> table;
    return table;
}

int64_t keeppicture(std::unique_ptr<VornPicture> picture) {
    static int64_t lastnumber = 0;
    pictures().emplace(++lastnumber, std::move(picture));
    return lastnumber;
}

// The number of argument 0; false when it is no number at all.
bool picturenumber(const VornSystemCall& call, int64_t& number) {
    std::string ignored;
    return call.arguments[0] && getlong(call.arguments[0], number, ignored);
}

// The picture of argument 0, nullptr when it names none.
VornPicture* findpicture(const VornSystemCall& call) {
    int64_t number = 0;
    if (!picturenumber(call, number)) {
        return nullptr;
    }
    const auto found = pictures().find(number);
    return found == pictures().end() ? nullptr : found->second.get();
}

// ---- file formats ----

struct FormatName {
    std::string_view name;
    VornPictureFormat format;
};

// Format names of picturesave, compared exactly; "EMF" is a known name
// without an encoder, so saving as EMF fails like an unknown name.
constexpr FormatName formatnames[] = {
    {"BMP", VornPictureFormat::bmp},   {"GIF", VornPictureFormat::gif},
    {"JPEG", VornPictureFormat::jpeg}, {"PNG", VornPictureFormat::png},
    {"TIFF", VornPictureFormat::tiff},
};

// File extensions, compared without regard to case.
constexpr FormatName extensions[] = {
    {".bmp", VornPictureFormat::bmp},   {".dib", VornPictureFormat::bmp},
    {".gif", VornPictureFormat::gif},   {".jpg", VornPictureFormat::jpeg},
    {".jpeg", VornPictureFormat::jpeg}, {".jpe", VornPictureFormat::jpeg},
    {".jfif", VornPictureFormat::jpeg}, {".png", VornPictureFormat::png},
    {".tif", VornPictureFormat::tiff},  {".tiff", VornPictureFormat::tiff},
};

template <size_t count>
std::optional<VornPictureFormat> findformat(const FormatName (&table)[count], std::string_view name,
                                            bool ignorecase) {
    for (const FormatName& entry : table) {
        if (ignorecase ? vornstdstring::isequalnocase(entry.name, name) : entry.name == name) {
            return entry.format;
        }
    }
    return std::nullopt;
}

// ---- the functions ----

bool colorargument(VornSystemCall& call, size_t index, uint32_t& rgb) {
    int64_t color = 0;
    if (!getlong(call.arguments[index], color, call.error)) {
        return false;
    }
    rgb = static_cast<uint32_t>(color) & 0xFFFFFF;
    return true;
}

bool longarguments(VornSystemCall& call, size_t first, size_t count, int64_t* values) {
    for (size_t index = 0; index < count; ++index) {
        if (!getlong(call.arguments[first + index], values[index], call.error)) {
            return false;
        }
    }
    return true;
}

bool picturecreatecall(VornSystemCall& call) {
    int64_t size[2] = {};
    std::string ignored;
    std::unique_ptr<VornPicture> picture;
    if (getlong(call.arguments[0], size[0], ignored) &&
        getlong(call.arguments[1], size[1], ignored)) {
        picture = VornPicture::create(size[0], size[1]);
    }
    if (!picture) {
        return failcall(call, "failed creating picture");
    }
    return resultlong(call, keeppicture(std::move(picture)));
}

bool pictureloadcall(VornSystemCall& call) {
    const std::string path = argumenttext(call, 0);
    struct stat status {};
    if (path.empty() || ::stat(path.c_str(), &status) != 0) {
        return failcall(call, "pictureload(filename) file not found", ": " + path);
    }
    if (!permitted(call, path, 'r', "no permission to read file")) {
        return false;
    }
    std::string bytes;
    std::unique_ptr<VornPicture> picture;
    if (readwholefile(path, bytes)) {
        picture = VornPicture::decode(bytes);
    }
    if (!picture) {
        return failcall(call, "failed loading picture", " " + path);
    }
    return resultlong(call, keeppicture(std::move(picture)));
}

bool picturedestroycall(VornSystemCall& call) {
    int64_t number = 0;
    if (!picturenumber(call, number)) {
        return failcall(call, destroynopicture);
    }
    return resultbool(call, pictures().erase(number) == 1);
}

// Writes the file of a save; [failure] is the save's message.
bool savebytes(VornSystemCall& call, const std::string& path,
               const std::optional<std::string>& bytes, const char* failure) {
    if (!permitted(call, path, 'w', "no permission to write file")) {
        return false;
    }
    if (!bytes || !writewholefile(path, *bytes)) {
        return failcall(call, failure);
    }
    return resultbool(call, true);
}

// picturesave with the format named by [formatname], or by the file
// name's extension when there is none.
bool savepicture(VornSystemCall& call, const std::optional<std::string>& formatname) {
    int64_t number = 0;
    if (!picturenumber(call, number)) {
        return failcall(call, savenopicture);
    }
    const char* failure = formatname ? saveformatfailed : savefailed;
    const std::string path = argumenttext(call, 1);
    const std::optional<VornPictureFormat> format =
        formatname ? findformat(formatnames, *formatname, false)
                   : findformat(extensions, pathextension(path), true);
    const VornPicture* picture = findpicture(call);
    std::optional<std::string> bytes;
    if (picture != nullptr && format && !path.empty() &&
        picture->encode(*format, bytes.emplace())) {
        return savebytes(call, path, bytes, failure);
    }
    return failcall(call, failure);
}

bool picturesavecall(VornSystemCall& call) {
    return savepicture(call, std::nullopt);
}

bool picturesaveformatcall(VornSystemCall& call) {
    return savepicture(call, argumenttext(call, 2));
}

bool picturesavebpmcall(VornSystemCall& call) {
    int64_t number = 0;
    if (!picturenumber(call, number)) {
        return failcall(call, savenopicture);
    }
    const VornPicture* picture = findpicture(call);
    const std::string path = argumenttext(call, 1);
    if (picture == nullptr || path.empty()) {
        return failcall(call, savefailed);
    }
    return savebytes(call, path, bitmapdibuncompressed32bit(*picture), savefailed);
}

bool picturefillrectcall(VornSystemCall& call) {
    VornPicture* picture = findpicture(call);
    if (picture == nullptr) {
        return failcall(call, fillnopicture);
    }
    int64_t box[4] = {};
    uint32_t rgb = 0;
    if (!longarguments(call, 1, 4, box) || !colorargument(call, 5, rgb)) {
        return false;
    }
    picture->fillrect(box[0], box[1], box[2], box[3], rgb);
    return resultbool(call, true);
}

bool picturedrawtextcall(VornSystemCall& call) {
    VornPicture* picture = findpicture(call);
    if (picture == nullptr) {
        return failcall(call, drawnopicture);
    }
    int64_t box[4] = {};
    uint32_t rgb = 0;
    if (!longarguments(call, 1, 4, box) || !colorargument(call, 6, rgb)) {
        return false;
    }
    const std::string text =
        vornstdstring::wstring2utf8(vornstdstring::ansi2wstring(argumenttext(call, 5)));
    std::string error;
    if (!picture->drawtext(box[0], box[1], box[2], box[3], text, rgb, error)) {
        return failcall(call, "picturedrawtext(picture,x,y,width,height,text,color) failed",
                        ": " + error);
    }
    return resultbool(call, true);
}

// getcolor24 and getcolor32 weigh their [count] arguments as the bytes of
// 0xAARRGGBB, from the last (blue) up.
bool packcolor(VornSystemCall& call, size_t count) {
    // Unsigned, so out-of-range parts wrap instead of overflowing.
    uint64_t result = 0;
    for (size_t index = 0; index < count; ++index) {
        int64_t part = 0;
        if (!getlong(call.arguments[index], part, call.error)) {
            return false;
        }
        const size_t shift = 8 * (count - 1 - index);
        result += static_cast<uint64_t>(part) << shift;
    }
    return resultlong(call, static_cast<int64_t>(result));
}

bool getcolor24call(VornSystemCall& call) {
    return packcolor(call, 3);
}

bool getcolor32call(VornSystemCall& call) {
    return packcolor(call, 4);
}

template <int shift> bool colorbyte(VornSystemCall& call) {
    int64_t color = 0;
    if (!getlong(call.arguments[0], color, call.error)) {
        return false;
    }
    return resultlong(call, (color >> shift) & 0xFF);
}

constexpr VornSystemFunctionEntry picturefunctions[] = {
    {"picturecreate($$)", picturecreatecall},
    {"pictureload($)", pictureloadcall},
    {"picturedestroy($)", picturedestroycall},
    {"picturesave($$)", picturesavecall},
    {"picturesave($$$)", picturesaveformatcall},
    {"picturesavebpm($$)", picturesavebpmcall},
    {"picturefillrect($$$$$$)", picturefillrectcall},
    {"picturedrawtext($$$$$$$)", picturedrawtextcall},
    {"getcolor24($$$)", getcolor24call},
    {"getcolor32($$$$)", getcolor32call},
    {"getred($)", colorbyte<16>},
    {"getgreen($)", colorbyte<8>},
    {"getblue($)", colorbyte<0>},
    {"getalpha($)", colorbyte<24>},
};

} // namespace

VornSystemFunctionTable picturefunctiontable() {
    return picturefunctions;
}

} // namespace vornscript
