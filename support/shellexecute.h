// Opening a program, document, folder or URL the way a desktop does: a URL, a
// document or a folder goes to xdg-open, an executable file starts directly
// with the parameters. The outcome is a shell result code (above 32 for
// success, the familiar small error numbers otherwise), so callers map every
// failure through one table to its message.
#pragma once

#include <string>

namespace vornscript {

// Result codes of shellexecute (a success is any code above 32).
inline constexpr int shellresultoutofmemory = 8;
inline constexpr int shellresultfilenotfound = 2;
inline constexpr int shellresultpathnotfound = 3;
inline constexpr int shellresultaccessdenied = 5;
inline constexpr int shellresultbadformat = 11;
inline constexpr int shellresultnoassociation = 31;
// A failure without a more specific code.
inline constexpr int shellresultfailed = 30;
inline constexpr int shellresultsuccess = 42;

// Opens [target] with [parameters] (split into words; double or single
// quotes group a word; ignored for documents, folders and URLs).
int shellexecute(const std::string& target, const std::string& parameters);

// The error message of [result] (a code of 32 or below) for [target], its
// phrase translated under the "vornprocess" tag.
std::string shellexecutemessage(int result, const std::string& target);

// The result code of a failed start with errno [error].
int shellresultoferror(int error);
// The result code of xdg-open's exit [status] (its documented codes).
int shellresultofopener(int status);

} // namespace vornscript
