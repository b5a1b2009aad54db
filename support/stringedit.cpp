// Substrings and simple edits: left, right, mid, fill, padding, shortening,
// plain and byte-set replacing, line-end conversion.
#include "support/stringedit.h"

namespace vornstdstring {

namespace {
constexpr std::string_view ellipsis = "...";

// A signed count or position clipped to [0, limit].
size_t clip(int64_t value, size_t limit) {
    if (value <= 0) {
        return 0;
    }
    return static_cast<uint64_t>(value) > limit ? limit : static_cast<size_t>(value);
}
} // namespace

std::string left(std::string_view text, int64_t count) {
    return std::string(text.substr(0, clip(count, text.size())));
}

std::string right(std::string_view text, int64_t count) {
    return std::string(text.substr(text.size() - clip(count, text.size())));
}

std::string mid(std::string_view text, int64_t pos) {
    return std::string(text.substr(clip(pos, text.size())));
}

std::string mid(std::string_view text, int64_t pos, int64_t count) {
    size_t start = clip(pos, text.size());
    return std::string(text.substr(start, clip(count, text.size() - start)));
}

std::string fill(std::string_view text, int64_t pos, int64_t count, std::string_view filltext) {
    std::string result(text);
    if (filltext.empty()) {
        return result;
    }
    size_t start = clip(pos, text.size());
    size_t length = clip(count, text.size() - start);
    for (size_t i = 0; i < length; ++i) {
        result[start + i] = filltext[i % filltext.size()];
    }
    return result;
}

std::string padleft(std::string_view text, size_t width, char padchar) {
    std::string result;
    if (text.size() < width) {
        result.assign(width - text.size(), padchar);
    }
    result.append(text);
    return result;
}

std::string padright(std::string_view text, size_t width, char padchar) {
    std::string result(text);
    if (text.size() < width) {
        result.append(width - text.size(), padchar);
    }
    return result;
}

std::string shortcut(std::string_view text, size_t maxlength) {
    if (text.size() <= maxlength) {
        return std::string(text);
    }
    if (maxlength <= ellipsis.size()) {
        return std::string(text.substr(0, maxlength));
    }
    std::string result(text.substr(0, maxlength - ellipsis.size()));
    result.append(ellipsis);
    return result;
}

std::string shortmiddlecut(std::string_view text, size_t maxlength) {
    if (text.size() <= maxlength) {
        return std::string(text);
    }
    if (maxlength <= ellipsis.size()) {
        return std::string(text.substr(0, maxlength));
    }
    size_t kept = maxlength - ellipsis.size();
    size_t head = kept / 2;
    std::string result(text.substr(0, head));
    result.append(ellipsis);
    result.append(text.substr(text.size() - (kept - head)));
    return result;
}

std::string replaceall(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string result;
    result.reserve(text.size());
    size_t start = 0;
    for (size_t found = text.find(from); found != std::string_view::npos;
         found = text.find(from, start)) {
        result.append(text.substr(start, found - start));
        result.append(to);
        start = found + from.size();
    }
    result.append(text.substr(start));
    return result;
}

std::string replacecharacters(std::string_view text, std::string_view characterset,
                              std::string_view replacement) {
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (characterset.find(c) != std::string_view::npos) {
            result.append(replacement);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

std::string convertnewlines(std::string_view text, std::string_view newline) {
    std::string result;
    result.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            result.append(newline);
        } else if (c == '\r' || c == '\n') {
            result.append(newline);
        } else {
            result.push_back(c);
        }
    }
    return result;
}

} // namespace vornstdstring
