// Descriptions, name similarity and suggestions for calls that exist nowhere.
// Signatures are read through their prototype keys, so user signatures and
// system prototypes follow one parsing rule.
#include "sysfunctions/callsuggestions.h"

#include "support/phrasetranslator.h"
#include "sysfunctions/prototypetable.h"

#include <algorithm>
#include <vector>

namespace vornscript {

namespace {

constexpr const char* messagetag = "interpreter";
constexpr size_t letteredarguments = 26;
constexpr int minimumsimilarity = 60;

bool equalignoringcase(std::string_view a, std::string_view b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(static_cast<unsigned char>(x)) == lower(static_cast<unsigned char>(y));
           });
}

int candidatescore(std::string_view name, std::string_view candidate) {
    return equalignoringcase(name, candidate) ? 100 : namesimilarity(name, candidate);
}

} // namespace

size_t editdistance(std::string_view a, std::string_view b) {
    if (a.size() < b.size()) {
        std::swap(a, b);
    }
    // One row of the distance matrix over the shorter text.
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

int namesimilarity(std::string_view a, std::string_view b) {
    if (a == b) {
        return 100;
    }
    const size_t shorter = std::min(a.size(), b.size());
    const size_t longer = std::max(a.size(), b.size());
    // The distance is at least the length difference: no need to compute it
    // when that alone rules the names out (this also bounds the work for a
    // long name against short ones).
    if (shorter == 0 || longer - shorter >= shorter) {
        return 0;
    }
    const size_t distance = editdistance(a, b);
    if (distance >= shorter) {
        return 0;
    }
    return 100 - static_cast<int>((distance - 1) * 100 / shorter);
}

std::string describecall(std::string_view name, size_t argumentcount, bool variablelist) {
    std::string description(name);
    description.push_back('(');
    const size_t letters = std::min(argumentcount, letteredarguments);
    for (size_t index = 0; index < letters; ++index) {
        if (index > 0) {
            description.push_back(',');
        }
        description.push_back(static_cast<char>('a' + index));
    }
    if (variablelist || argumentcount > letteredarguments) {
        description += ",...";
    }
    description.push_back(')');
    return description;
}

bool describesignature(std::string_view signature, std::string& description) {
    const std::string key = prototypekey(signature);
    if (key == invalidprototypekey) {
        return false;
    }
    const size_t open = key.find('(');
    description = describecall(std::string_view(key).substr(0, open),
                               static_cast<size_t>(std::count(key.begin(), key.end(), '$')),
                               key.find('*') != std::string::npos);
    return true;
}

bool suggestcandidates(std::string_view name, std::span<const std::string> signatures,
                       std::span<const char* const> prototypes, std::string& suggestions,
                       std::string& error) {
    int bestscore = minimumsimilarity;
    std::vector<std::string> best;
    auto consider = [&](std::string_view signature) {
        std::string description;
        if (!describesignature(signature, description)) {
            error = translate("invalid system function prototype", messagetag) + ": " +
                    std::string(signature);
            return false;
        }
        const int score = candidatescore(name, signature.substr(0, signature.find('(')));
        if (score > bestscore) {
            bestscore = score;
            best.clear();
        }
        if (score == bestscore) {
            best.push_back(std::move(description));
        }
        return true;
    };
    for (const std::string& signature : signatures) {
        if (!consider(signature)) {
            return false;
        }
    }
    for (const char* prototype : prototypes) {
        if (!consider(prototype)) {
            return false;
        }
    }
    suggestions.clear();
    for (const std::string& description : best) {
        if (!suggestions.empty()) {
            suggestions.push_back(',');
        }
        suggestions += description;
    }
    return true;
}

bool undefinedcallmessage(std::string_view name, size_t argumentcount,
                          std::span<const std::string> signatures,
                          std::span<const char* const> prototypes, std::string& message) {
    std::string suggestions;
    if (!suggestcandidates(name, signatures, prototypes, suggestions, message)) {
        return false;
    }
    message = translate("function", messagetag);
    message.push_back(' ');
    message += describecall(name, argumentcount);
    message.push_back(' ');
    message += translate("not existing", messagetag);
    if (!suggestions.empty()) {
        message.push_back(' ');
        message += translate("maybe you mean:", messagetag);
        message.push_back(' ');
        message += suggestions;
    }
    return true;
}

bool undefinedcallmessage(std::string_view name, size_t argumentcount,
                          std::span<const std::string> signatures, std::string& message) {
    return undefinedcallmessage(name, argumentcount, signatures, systemfunctionprototypes(),
                                message);
}

} // namespace vornscript
