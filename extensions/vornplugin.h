// The plug-in interface of vornscript: the exports a plug-in library may
// define, the memory functions both sides allocate packets with, and helpers
// to build and read packets. Plain C++17 that needs no other file of the
// project, so a plug-in author builds against this header alone; the program
// uses the same definitions, so the two sides cannot drift apart.
//
// Packets carry one value across the library boundary. A packet is a block of
// a 20-byte header (32-bit little-endian fields: kind, reserved, tag low, tag
// high, count) followed by [count] items. The items of a text, list or pairs
// packet are handles (pointer-sized, so 8 bytes in a 64-bit process); the one
// item of an object reference is a 32-bit object id. Ownership: the packets
// the program passes in belong to the program, which frees them after the
// call; every packet a plug-in returns or fills in belongs to the program,
// which frees it with freepacket, so a plug-in allocates its packets with
// GlobalAlloc and SysAllocString from this header (one heap: the C library's).
//
// Object references: the program makes a value for every reference packet a
// plug-in returns and calls datahandler_destroy with its id when the value
// ends, so a plug-in hands out a new id for every reference it returns (the
// objects behind may be shared). Only an id of an argument of the same call
// may come back as it is: the program then gives back the argument's value.
//
// Symbol names: each export keeps its decorated name, written with "_" for
// the leading "?" and "$" for every "@" ("?module_init@@YA_N_J@Z" is the
// symbol "_module_init$$YA_N_J$Z"): ELF linkers read "@" as the start of a
// symbol version, and the assembler takes "?" in no symbol name. Build the
// plug-in with -fvisibility=hidden; the declarations below make exactly the
// exports visible.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace vornplugin {

// ---- memory: stand-ins for the Windows allocation functions ----

using BSTR = char16_t*;

inline void* GlobalAlloc(unsigned /*flags*/, size_t bytes) {
    return std::malloc(bytes == 0 ? 1 : bytes);
}

inline void* GlobalFree(void* block) {
    std::free(block);
    return nullptr;
}

// A BSTR points at its UTF-16 code units; their length in bytes stands as a
// 32-bit number just before them, and a 0 unit follows them.
inline BSTR SysAllocStringLen(const char16_t* text, uint32_t length) {
    const uint32_t bytes = length * 2;
    auto* block = static_cast<unsigned char*>(std::malloc(sizeof(uint32_t) + bytes + 2));
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, &bytes, sizeof bytes);
    auto* units = reinterpret_cast<char16_t*>(block + sizeof(uint32_t));
    if (text != nullptr && length > 0) {
        std::memcpy(units, text, bytes);
    }
    units[length] = 0;
    return units;
}

inline BSTR SysAllocString(const char16_t* text) {
    return SysAllocStringLen(
        text,
        text == nullptr ? 0 : static_cast<uint32_t>(std::char_traits<char16_t>::length(text)));
}

inline uint32_t SysStringLen(const char16_t* text) {
    if (text == nullptr) {
        return 0;
    }
    uint32_t bytes = 0;
    std::memcpy(&bytes, reinterpret_cast<const unsigned char*>(text) - sizeof bytes, sizeof bytes);
    return bytes / 2;
}

inline void SysFreeString(BSTR text) {
    if (text != nullptr) {
        std::free(reinterpret_cast<unsigned char*>(text) - sizeof(uint32_t));
    }
}

// ---- packets ----

enum PacketKind : uint32_t {
    nonepacket = 0,
    textpacket = 1,
    listpacket = 2,  // a vector: one value packet per element
    pairspacket = 3, // a structure: a text packet with the name, then the value packet
    referencepacket = 4,
};

// The tag of the program's references to its own values. Plug-in object
// ids are 32-bit, so no plug-in id is ever this tag; a plug-in may keep such
// a reference and hand it back, but cannot look inside it.
constexpr uint64_t hostownertag = 0x564f524e484f5354; // "VORNHOST"

constexpr size_t packetheadersize = 20;
constexpr size_t handlesize = sizeof(void*);

namespace detail {

inline uint32_t readword(const void* packet, size_t offset) {
    uint32_t word = 0;
    std::memcpy(&word, static_cast<const unsigned char*>(packet) + offset, sizeof word);
    return word;
}

inline void writeword(void* packet, size_t offset, uint32_t word) {
    std::memcpy(static_cast<unsigned char*>(packet) + offset, &word, sizeof word);
}

inline void* newpacket(uint32_t kind, uint64_t tag, uint32_t count, size_t itembytes) {
    void* packet = GlobalAlloc(0, packetheadersize + count * itembytes);
    if (packet != nullptr) {
        writeword(packet, 0, kind);
        writeword(packet, 4, 0);
        writeword(packet, 8, static_cast<uint32_t>(tag));
        writeword(packet, 12, static_cast<uint32_t>(tag >> 32));
        writeword(packet, 16, count);
    }
    return packet;
}

inline void writehandle(void* packet, uint32_t index, const void* handle) {
    std::memcpy(static_cast<unsigned char*>(packet) + packetheadersize + index * handlesize,
                &handle, handlesize);
}

inline void* readhandle(const void* packet, uint32_t index) {
    void* handle = nullptr;
    std::memcpy(&handle,
                static_cast<const unsigned char*>(packet) + packetheadersize + index * handlesize,
                handlesize);
    return handle;
}

} // namespace detail

// The kind of a packet; no packet at all counts as no value.
inline uint32_t packetkind(const void* packet) {
    return packet == nullptr ? uint32_t(nonepacket) : detail::readword(packet, 0);
}

inline uint64_t packettag(const void* packet) {
    return packet == nullptr
               ? 0
               : detail::readword(packet, 8) | (uint64_t(detail::readword(packet, 12)) << 32);
}

inline uint32_t packetcount(const void* packet) {
    return packet == nullptr ? 0 : detail::readword(packet, 16);
}

// Item [index] of a list or pairs packet (a packet handle); nullptr outside.
inline void* packetitem(const void* packet, uint32_t index) {
    const uint32_t kind = packetkind(packet);
    if ((kind != listpacket && kind != pairspacket) || index >= packetcount(packet)) {
        return nullptr;
    }
    return detail::readhandle(packet, index);
}

// The object id of a reference packet; 0 for any other packet.
inline uint32_t packetobjectid(const void* packet) {
    return packetkind(packet) == referencepacket && packetcount(packet) >= 1
               ? detail::readword(packet, packetheadersize)
               : 0;
}

// The text of a text packet; empty for any other packet.
inline std::u16string packettext(const void* packet) {
    if (packetkind(packet) != textpacket || packetcount(packet) < 1) {
        return {};
    }
    const auto* text = static_cast<const char16_t*>(detail::readhandle(packet, 0));
    return text == nullptr ? std::u16string() : std::u16string(text, SysStringLen(text));
}

inline void* makenonepacket() {
    return detail::newpacket(nonepacket, 0, 0, 0);
}

inline void* maketextpacket(std::u16string_view text) {
    void* packet = detail::newpacket(textpacket, 0, 1, handlesize);
    if (packet != nullptr) {
        detail::writehandle(packet, 0,
                            SysAllocStringLen(text.data(), static_cast<uint32_t>(text.size())));
    }
    return packet;
}

// A list packet (kind 2) or a pairs packet (kind 3, names and values
// alternating); it takes ownership of the item packets.
inline void* makecollectionpacket(uint32_t kind, const std::vector<void*>& items, uint64_t tag) {
    void* packet = detail::newpacket(kind, tag, static_cast<uint32_t>(items.size()), handlesize);
    if (packet != nullptr) {
        for (uint32_t index = 0; index < items.size(); ++index) {
            detail::writehandle(packet, index, items[index]);
        }
    }
    return packet;
}

inline void* makereferencepacket(uint32_t objectid, uint64_t tag) {
    void* packet = detail::newpacket(referencepacket, tag, 1, sizeof(uint32_t));
    if (packet != nullptr) {
        detail::writeword(packet, packetheadersize, objectid);
    }
    return packet;
}

// A deep copy of a packet, for a plug-in that keeps or hands back a packet
// the program passed in (the program frees its own after the call).
inline void* clonepacket(const void* packet) {
    switch (packetkind(packet)) {
    case textpacket:
        return maketextpacket(packettext(packet));
    case listpacket:
    case pairspacket: {
        std::vector<void*> items;
        for (uint32_t index = 0; index < packetcount(packet); ++index) {
            items.push_back(clonepacket(packetitem(packet, index)));
        }
        return makecollectionpacket(packetkind(packet), items, packettag(packet));
    }
    case referencepacket:
        return makereferencepacket(packetobjectid(packet), packettag(packet));
    default:
        return packet == nullptr ? nullptr : makenonepacket();
    }
}

// Frees a packet with everything it owns; nullptr is allowed.
inline void freepacket(void* packet) {
    if (packet == nullptr) {
        return;
    }
    const uint32_t kind = packetkind(packet);
    if (kind == textpacket && packetcount(packet) >= 1) {
        SysFreeString(static_cast<BSTR>(detail::readhandle(packet, 0)));
    } else if (kind == listpacket || kind == pairspacket) {
        for (uint32_t index = 0; index < packetcount(packet); ++index) {
            freepacket(detail::readhandle(packet, index));
        }
    }
    GlobalFree(packet);
}

// ---- UTF-8 texts for plug-in authors ----

inline std::string utf8(std::u16string_view text) {
    std::string out;
    for (size_t index = 0; index < text.size(); ++index) {
        uint32_t code = text[index];
        if (code >= 0xD800 && code < 0xDC00 && index + 1 < text.size() &&
            text[index + 1] >= 0xDC00 && text[index + 1] < 0xE000) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++index] - 0xDC00);
        } else if (code >= 0xD800 && code < 0xE000) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

// Bytes that do not form a valid sequence become U+FFFD each.
inline std::u16string utf16(std::string_view text) {
    std::u16string out;
    size_t index = 0;
    while (index < text.size()) {
        const auto lead = static_cast<unsigned char>(text[index]);
        const size_t length = lead < 0x80                   ? 1
                              : lead >= 0xF0 && lead < 0xF5 ? 4
                              : lead >= 0xE0 && lead < 0xF0 ? 3
                              : lead >= 0xC2 && lead < 0xE0 ? 2
                                                            : 0;
        uint32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = length != 0 && index + length <= text.size();
        for (size_t next = 1; valid && next < length; ++next) {
            const auto unit = static_cast<unsigned char>(text[index + next]);
            valid = (unit & 0xC0) == 0x80;
            code = (code << 6) | (unit & 0x3F);
        }
        constexpr uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
        valid = valid && code >= smallest[length] && code <= 0x10FFFF &&
                !(code >= 0xD800 && code < 0xE000);
        if (!valid) {
            out += u'\uFFFD';
            ++index;
            continue;
        }
        if (code >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(code);
        }
        index += length;
    }
    return out;
}

// ---- the exports ----

// Every export: its C++ name, decorated name, symbol name, result and
// parameters. A packet handle passed in is "void* const"; "void*&" receives a
// packet the program will free.
// clang-format off
#define VORNPLUGIN_EXPORTS(X) \
    X(module_init, "?module_init@@YA_N_J@Z", "_module_init$$YA_N_J$Z", bool, (int64_t module)) \
    X(module_exit, "?module_exit@@YAXXZ", "_module_exit$$YAXXZ", void, ()) \
    X(existslivevariable, "?existslivevariable@@YA_NQAX@Z", "_existslivevariable$$YA_NQAX$Z", bool, (void* const name)) \
    X(livevariable_create, "?livevariable_create@@YAPAXQAX@Z", "_livevariable_create$$YAPAXQAX$Z", void*, (void* const name)) \
    X(existsconstant, "?existsconstant@@YA_NQAX@Z", "_existsconstant$$YA_NQAX$Z", bool, (void* const name)) \
    X(getconstantvalue, "?getconstantvalue@@YA_NQAXAAPAX@Z", "_getconstantvalue$$YA_NQAXAAPAX$Z", bool, (void* const name, void*& value)) \
    X(finduserfunction, "?finduserfunction@@YA_NQAXHAAPAX@Z", "_finduserfunction$$YA_NQAXHAAPAX$Z", bool, (void* const name, int argcount, void*& info)) \
    X(calluserfunction, "?calluserfunction@@YA_NQAX0AAPAX1PAX@Z", "_calluserfunction$$YA_NQAX0AAPAX1PAX$Z", bool, (void* const name, void* const args, void*& result, void*& error, void* position)) \
    X(getsummary, "?getsummary@@YAPAXXZ", "_getsummary$$YAPAXXZ", void*, ()) \
    X(unittests, "?unittests@@YA_NAAPAX@Z", "_unittests$$YA_NAAPAX$Z", bool, (void*& results)) \
    X(datahandler_destroy, "?datahandler_destroy@@YAX_J@Z", "_datahandler_destroy$$YAX_J$Z", void, (int64_t id)) \
    X(datahandler_isstring, "?datahandler_isstring@@YA_N_J@Z", "_datahandler_isstring$$YA_N_J$Z", bool, (int64_t id)) \
    X(datahandler_getstring, "?datahandler_getstring@@YA_N_JAAPAX1@Z", "_datahandler_getstring$$YA_N_JAAPAX1$Z", bool, (int64_t id, void*& text, void*& error)) \
    X(datahandler_setstring, "?datahandler_setstring@@YA_N_JQAXAAPAX@Z", "_datahandler_setstring$$YA_N_JQAXAAPAX$Z", bool, (int64_t id, void* const text, void*& error)) \
    X(datahandler_isstructure, "?datahandler_isstructure@@YA_N_J@Z", "_datahandler_isstructure$$YA_N_J$Z", bool, (int64_t id)) \
    X(datahandler_accessstructuremember, "?datahandler_accessstructuremember@@YA_N_JQAXAAPAX2@Z", "_datahandler_accessstructuremember$$YA_N_JQAXAAPAX2$Z", bool, (int64_t id, void* const name, void*& value, void*& error)) \
    X(datahandler_getstructuremember, "?datahandler_getstructuremember@@YA_N_JQAXAAPAX2@Z", "_datahandler_getstructuremember$$YA_N_JQAXAAPAX2$Z", bool, (int64_t id, void* const name, void*& value, void*& error)) \
    X(datahandler_getstructurefields, "?datahandler_getstructurefields@@YA_N_JAAPAX1@Z", "_datahandler_getstructurefields$$YA_N_JAAPAX1$Z", bool, (int64_t id, void*& names, void*& error)) \
    X(datahandler_insertstructuremember, "?datahandler_insertstructuremember@@YA_N_JQAX1AAPAX@Z", "_datahandler_insertstructuremember$$YA_N_JQAX1AAPAX$Z", bool, (int64_t id, void* const name, void* const value, void*& error)) \
    X(datahandler_removestructuremember, "?datahandler_removestructuremember@@YA_N_JQAXAAPAX@Z", "_datahandler_removestructuremember$$YA_N_JQAXAAPAX$Z", bool, (int64_t id, void* const name, void*& error)) \
    X(datahandler_isvector, "?datahandler_isvector@@YA_N_J@Z", "_datahandler_isvector$$YA_N_J$Z", bool, (int64_t id)) \
    X(datahandler_vectorsize, "?datahandler_vectorsize@@YA_N_JAA_JAAPAX@Z", "_datahandler_vectorsize$$YA_N_JAA_JAAPAX$Z", bool, (int64_t id, int64_t& size, void*& error)) \
    X(datahandler_accessvectorelement, "?datahandler_accessvectorelement@@YA_N_J_JAAPAX2@Z", "_datahandler_accessvectorelement$$YA_N_J_JAAPAX2$Z", bool, (int64_t id, int64_t index, void*& value, void*& error)) \
    X(datahandler_getvectorelement, "?datahandler_getvectorelement@@YA_N_J_JAAPAX2@Z", "_datahandler_getvectorelement$$YA_N_J_JAAPAX2$Z", bool, (int64_t id, int64_t index, void*& value, void*& error)) \
    X(datahandler_pushvectorelement, "?datahandler_pushvectorelement@@YA_N_JQAX_NAAPAX@Z", "_datahandler_pushvectorelement$$YA_N_JQAX_NAAPAX$Z", bool, (int64_t id, void* const value, bool byreference, void*& error)) \
    X(datahandler_popvectorelement, "?datahandler_popvectorelement@@YA_N_JAAPAX1@Z", "_datahandler_popvectorelement$$YA_N_JAAPAX1$Z", bool, (int64_t id, void*& value, void*& error)) \
    X(datahandler_removevectorelements, "?datahandler_removevectorelements@@YA_N_J_J1AAPAX@Z", "_datahandler_removevectorelements$$YA_N_J_J1AAPAX$Z", bool, (int64_t id, int64_t first, int64_t last, void*& error)) \
    X(datahandler_copyreference, "?datahandler_copyreference@@YA_N_J@Z", "_datahandler_copyreference$$YA_N_J$Z", bool, (int64_t id)) \
    X(datahandler_debuginfo, "?datahandler_debuginfo@@YAPAX_J@Z", "_datahandler_debuginfo$$YAPAX_J$Z", void*, (int64_t id)) \
    X(datahandler_tostring, "?datahandler_tostring@@YAPAX_J@Z", "_datahandler_tostring$$YAPAX_J$Z", void*, (int64_t id)) \
    X(datahandler_duplicate, "?datahandler_duplicate@@YAPAX_J@Z", "_datahandler_duplicate$$YAPAX_J$Z", void*, (int64_t id)) \
    X(datahandler_castrvalue, "?datahandler_castrvalue@@YA_N_JAAPAX1@Z", "_datahandler_castrvalue$$YA_N_JAAPAX1$Z", bool, (int64_t id, void*& value, void*& error))
// clang-format on

// The symbol name of a decorated name (see the top of this file); checked
// for every export at compile time.
constexpr char symbolcharacter(char decorated) {
    return decorated == '@' ? '$' : decorated == '?' ? '_' : decorated;
}

constexpr bool issymbolof(const char* decorated, const char* symbol) {
    for (; *decorated != 0; ++decorated, ++symbol) {
        if (symbolcharacter(*decorated) != *symbol) {
            return false;
        }
    }
    return *symbol == 0;
}

// For the program: one type per export with its names and function type.
namespace exports {
#define VORNPLUGIN_EXPORTTYPE(name, decorated, symbol, result, parameters)                         \
    struct name {                                                                                  \
        static constexpr const char* decoratedname = decorated;                                    \
        static constexpr const char* symbolname = symbol;                                          \
        using function = result(*) parameters;                                                     \
    };                                                                                             \
    static_assert(issymbolof(decorated, symbol), "symbol name of " #name);
VORNPLUGIN_EXPORTS(VORNPLUGIN_EXPORTTYPE)
#undef VORNPLUGIN_EXPORTTYPE
} // namespace exports

} // namespace vornplugin

// For the plug-in: the declarations that give its functions their symbol
// names (an asm label, which GCC and Clang both accept).
#define VORNPLUGIN_DECLARE(name, decorated, symbol, result, parameters)                            \
    __attribute__((visibility("default"))) result name parameters __asm__(symbol);
VORNPLUGIN_EXPORTS(VORNPLUGIN_DECLARE)
#undef VORNPLUGIN_DECLARE
