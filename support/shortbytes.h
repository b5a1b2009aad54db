// Word-wise comparison of short byte runs (names of members and elements,
// member keys). For a few bytes, two overlapping word loads beat both a
// memcmp call and a byte loop.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace vornscript {

template <class Word> Word loadword(const char* at) {
    Word word = 0;
    std::memcpy(&word, at, sizeof word);
    return word;
}

// Whether the bytes at a and b are the same over the size.
inline bool samebytes(const char* a, const char* b, size_t size) {
    if (size >= 8) {
        for (size_t offset = 0; offset + 8 < size; offset += 8) {
            if (loadword<uint64_t>(a + offset) != loadword<uint64_t>(b + offset)) {
                return false;
            }
        }
        return loadword<uint64_t>(a + size - 8) == loadword<uint64_t>(b + size - 8);
    }
    if (size >= 4) {
        return loadword<uint32_t>(a) == loadword<uint32_t>(b) &&
               loadword<uint32_t>(a + size - 4) == loadword<uint32_t>(b + size - 4);
    }
    if (size >= 2) {
        return loadword<uint16_t>(a) == loadword<uint16_t>(b) &&
               loadword<uint16_t>(a + size - 2) == loadword<uint16_t>(b + size - 2);
    }
    return size == 0 || *a == *b;
}

inline bool sametext(std::string_view a, std::string_view b) {
    return a.size() == b.size() && samebytes(a.data(), b.data(), a.size());
}

} // namespace vornscript
