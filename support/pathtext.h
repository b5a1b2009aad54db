// Path texts as scripts see them: splitting accepts "/", "\" and ":" as
// separators (scripts written for other systems keep working), building
// always joins with "/". Pure text work, no file system access.
#pragma once

#include <string>
#include <string_view>

namespace vornscript {

// True for "/", "\" and ":".
bool ispathseparator(char character);
// The part after the last separator.
std::string_view pathfilename(std::string_view path);
// The part up to and including the last separator ("" without one).
std::string_view pathdirectory(std::string_view path);
// The folder part of a script name: up to and including the last "/" or "\"
// ("" without one). Unlike pathdirectory, ":" is part of a script's name.
std::string scriptfolder(const std::string& scriptname);
// The extension of the file name including its dot, "" without one.
std::string_view pathextension(std::string_view path);
// The path without the extension of its file name.
std::string_view pathwithoutextension(std::string_view path);
// Appends [part] to [path] with exactly one separator between them; an empty
// part leaves the path unchanged, an empty path gives the part.
void appendpathpart(std::string& path, std::string_view part);
// The path in double quotes: an inner double quote is escaped with a
// backslash and a final backslash is doubled, so command lines read it back.
std::string quotepathtext(std::string_view path);

} // namespace vornscript
