// Helpers shared by the file, folder, profile and environment functions:
// argument texts, failing a call with a translated message, and the
// permission question every file access starts with.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

// The text of argument [index] ("" when undefined).
std::string argumenttext(const VornSystemCall& call, size_t index);
// Sets the call's error to the translated phrase followed by [detail]; false.
bool failcall(VornSystemCall& call, const char* phrase, std::string_view detail = {});
// Asks the context; when it refuses, fails the call with [phrase] (followed
// by the path when [namepath] is set).
bool permitted(VornSystemCall& call, const std::string& path, char mode, const char* phrase,
               bool namepath = false);
// Results.
bool resultbool(VornSystemCall& call, bool value);
bool resultlong(VornSystemCall& call, int64_t value);
bool resulttext(VornSystemCall& call, std::string text);
bool resulttexts(VornSystemCall& call, const std::vector<std::string>& texts);

} // namespace vornscript
