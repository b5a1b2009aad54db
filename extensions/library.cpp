// Plug-in libraries as extensions, and finding and loading their files (see
// library.h).
#include "extensions/library.h"

#include "extensions/packets.h"
#include "interpreter/context.h"
#include "support/phrasetranslator.h"
#include "support/stringbasics.h"
#include "values/scriptobject.h"

#include <algorithm>
#include <filesystem>

namespace vornscript {

namespace exports = vornplugin::exports;

namespace {

// The file name ending the system gives its plug-in libraries.
constexpr const char* libraryextension = ".so";

std::string librarymessage(const char* phrase, const std::string& detail) {
    return translate(phrase, "interpreter") + ": " + detail;
}

bool isregularfile(const std::string& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

std::string insidefolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return {};
    }
    return (std::filesystem::path(folder) / name).string();
}

bool sameextensionname(const std::string& first, const std::string& second) {
    return first.size() == second.size() &&
           std::equal(first.begin(), first.end(), second.begin(), [](char one, char two) {
               return vornstdstring::tolowerbyte(one) == vornstdstring::tolowerbyte(two);
           });
}

} // namespace

VornScriptLibrary::~VornScriptLibrary() {
    module_exit();
}

bool VornScriptLibrary::module_init() {
    const auto function = module_->find<exports::module_init>();
    return function != nullptr && function(module_->handle());
}

void VornScriptLibrary::module_exit() {
    if (const auto function = module_->find<exports::module_exit>()) {
        function();
    }
}

bool VornScriptLibrary::existslivevariable(const std::string& name) {
    const auto function = module_->find<exports::existslivevariable>();
    if (function == nullptr) {
        return false;
    }
    const VornPacket namepacket(maketextpacket(name));
    return function(namepacket.get());
}

VornScriptObjectRef VornScriptLibrary::livevariable_create(const std::string& name) {
    const auto function = module_->find<exports::livevariable_create>();
    if (function == nullptr) {
        return {};
    }
    const VornPacket namepacket(maketextpacket(name));
    const VornPacket valuepacket(function(namepacket.get()));
    VornScriptObjectRef value = packettovalue(valuepacket.get(), module_, nullptr);
    if (value) {
        value->setname(name);
    }
    return value;
}

bool VornScriptLibrary::existsconstant(const std::string& name) {
    const auto function = module_->find<exports::existsconstant>();
    if (function == nullptr) {
        return false;
    }
    const VornPacket namepacket(maketextpacket(name));
    return function(namepacket.get());
}

bool VornScriptLibrary::getconstantvalue(const std::string& name, VornScriptObjectRef& value) {
    value = nullptr;
    const auto function = module_->find<exports::getconstantvalue>();
    if (function == nullptr) {
        return false;
    }
    const VornPacket namepacket(maketextpacket(name));
    void* valuepacket = nullptr;
    const bool answer = function(namepacket.get(), valuepacket);
    const VornPacket owned(valuepacket);
    if (answer) {
        value = packettovalue(valuepacket, module_, nullptr);
    }
    return answer;
}

bool VornScriptLibrary::finduserfunction(const std::string& name, int32_t argumentcount) {
    const auto function = module_->find<exports::finduserfunction>();
    if (function == nullptr) {
        return false;
    }
    const VornPacket namepacket(maketextpacket(name));
    void* infopacket = nullptr;
    const bool answer = function(namepacket.get(), argumentcount, infopacket);
    vornplugin::freepacket(infopacket);
    return answer;
}

bool VornScriptLibrary::calluserfunction(const std::string& name,
                                         const std::vector<VornScriptObjectRef>& arguments,
                                         VornScriptObjectRef& result, std::string& errortext,
                                         const VornScriptSourcePosition& callposition) {
    const auto function = module_->find<exports::calluserfunction>();
    if (function == nullptr) {
        errortext = "calluserfunction not implemented";
        return false;
    }
    VornHostReferences references;
    std::vector<void*> items;
    for (const VornScriptObjectRef& argument : arguments) {
        items.push_back(valuetopacket(argument, module_.get(), &references));
    }
    const VornPacket namepacket(maketextpacket(name));
    const VornPacket argumentspacket(
        vornplugin::makecollectionpacket(vornplugin::listpacket, items, hostownertag));
    const VornPacket position(positionpacket(callposition));
    void* resultpacket = nullptr;
    void* errorpacket = nullptr;
    const bool answer = function(namepacket.get(), argumentspacket.get(), resultpacket, errorpacket,
                                 position.get());
    const VornPacket ownedresult(resultpacket);
    const VornPacket ownederror(errorpacket);
    if (!answer) {
        errortext = packettext(errorpacket);
        return false;
    }
    result = packettovalue(resultpacket, module_, &references);
    return true;
}

std::string VornScriptLibrary::getsummary() {
    const auto function = module_->find<exports::getsummary>();
    if (function == nullptr) {
        return {};
    }
    const VornPacket summary(function());
    return packettext(summary.get());
}

bool VornScriptLibrary::unittests(std::string& resulttext) {
    const auto function = module_->find<exports::unittests>();
    if (function == nullptr) {
        return false;
    }
    void* resultspacket = nullptr;
    const bool answer = function(resultspacket);
    const VornPacket owned(resultspacket);
    resulttext = packettext(resultspacket);
    return answer;
}

std::string findlibraryfile(const VornScriptContextBase& context, const std::string& name) {
    if (isregularfile(name)) {
        return name;
    }
    const std::string filename =
        std::filesystem::path(name).filename().string().find('.') == std::string::npos
            ? name + libraryextension
            : name;
    std::vector<std::string> candidates;
    for (const std::string& folder : context.librarypaths) {
        candidates.push_back(insidefolder(folder, filename));
    }
    candidates.push_back(filename);
    candidates.push_back(insidefolder(context.basefolder(), filename));
    for (const std::string& folder : context.includepaths) {
        candidates.push_back(insidefolder(folder, filename));
    }
    candidates.push_back(insidefolder(programfilefolder(), filename));
    for (const std::string& candidate : candidates) {
        if (isregularfile(candidate)) {
            return candidate;
        }
    }
    return {};
}

VornLibraryUse uselibrary(VornScriptContextBase& context, const std::string& name,
                          std::string& error) {
    const std::string path = findlibraryfile(context, name);
    if (path.empty()) {
        error = librarymessage("library not found", name);
        return VornLibraryUse::failed;
    }
    for (const auto& extension : context.extensions()) {
        if (sameextensionname(extension->extensionname(), name)) {
            return VornLibraryUse::loaded;
        }
    }
    // A path without "/" would make the loader search its own folders.
    std::error_code ignored;
    VornRef<VornLibraryModule> module =
        VornLibraryModule::load(std::filesystem::absolute(path, ignored).string());
    if (!module) {
        error = librarymessage("cannot load library", path);
        return VornLibraryUse::failed;
    }
    VornRef<VornScriptLibrary> library = makeref<VornScriptLibrary>(name, std::move(module));
    if (!library->module_init()) {
        return VornLibraryUse::refused;
    }
    context.registerextension(library);
    return VornLibraryUse::loaded;
}

} // namespace vornscript
