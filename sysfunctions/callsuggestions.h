// The message of the check that runs before a script: a call that no user
// function, extension function or system function accepts is reported as
// "function name(a,b) not existing", followed by "maybe you mean:" and the
// candidates whose names are most alike. Candidates are signature texts of
// the prototype form ("mymax(a,b,...)"); the caller supplies those of user and
// extension functions, and the prototypes come last.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace vornscript {

// Levenshtein distance over bytes: insert, delete and substitute cost 1.
size_t editdistance(std::string_view a, std::string_view b);

// Likeness of two names in percent: 100 for equal names; else, with m the
// length of the shorter one, 0 when m is 0 or the distance is at least m,
// otherwise 100 - (distance - 1) * 100 / m.
int namesimilarity(std::string_view a, std::string_view b);

// "name(a,b,c)": one letter per argument; from 27 arguments on, or for a
// variable list, ",..." closes the list.
std::string describecall(std::string_view name, size_t argumentcount, bool variablelist = false);

// The description of a signature text: "mymax(&x,y,...)" gives
// "mymax(a,b,...)". False when the text cannot be read as a prototype.
bool describesignature(std::string_view signature, std::string& description);

// The suggestions for [name] among [signatures] then [prototypes], joined
// with ",": an equal name ignoring case scores 100, other names their
// similarity when above 59; only the best score's candidates remain. False
// with [error] set when a candidate cannot be read.
bool suggestcandidates(std::string_view name, std::span<const std::string> signatures,
                       std::span<const char* const> prototypes, std::string& suggestions,
                       std::string& error);

// The check's message for a call of [name] with [argumentcount] arguments,
// with the suggestions from [signatures] and the system prototypes. False
// with the prototype error in [message] when a prototype cannot be read.
bool undefinedcallmessage(std::string_view name, size_t argumentcount,
                          std::span<const std::string> signatures,
                          std::span<const char* const> prototypes, std::string& message);
bool undefinedcallmessage(std::string_view name, size_t argumentcount,
                          std::span<const std::string> signatures, std::string& message);

} // namespace vornscript
