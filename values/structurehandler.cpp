// Abstract structure base and the plain structure handler.
#include "values/structurehandler.h"

#include "values/conversions.h"
#include "values/scriptobject.h"

#include "support/shortbytes.h"

#include <utility>

namespace vornscript {

namespace {

// The debug text lists at most this many names before the last one.
constexpr size_t debugnamecount = 10;

} // namespace

std::string structurefieldsdebugtext(const std::vector<std::string>& names) {
    std::string text = "FIELDS(" + std::to_string(names.size()) + ")=";
    for (size_t i = 0; i < names.size() && i < debugnamecount; ++i) {
        text += ' ';
        text += names[i];
    }
    if (names.size() > debugnamecount) {
        if (names.size() > debugnamecount + 1) {
            text += " ...";
        }
        text += ' ';
        text += names.back();
    }
    return text;
}

bool VornScriptObjectStructureHandlerAbstractBase::castrvalue(VornScriptDataHandlerPtr& result,
                                                              std::string& error) {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        error = nestedtoodeepmessage;
        return false;
    }
    std::vector<std::string> names;
    if (!getstructurefields(names, error)) {
        return false;
    }
    VornScriptMemberMap members;
    for (std::string& name : names) {
        VornScriptObjectPtr member;
        if (!getstructuremember(name, member, error)) {
            return false;
        }
        members.insert_or_assign(std::move(name), copyelementvalue(member));
    }
    result = makeref<VornScriptObjectStructureHandler>(std::move(members));
    return true;
}

std::string VornScriptObjectStructureHandlerAbstractBase::debuginfo() {
    std::vector<std::string> names;
    std::string error;
    getstructurefields(names, error);
    return structurefieldsdebugtext(names);
}

std::string VornScriptObjectStructureHandlerAbstractBase::tostring() {
    return structuretext();
}

void VornScriptObjectStructureHandlerAbstractBase::clear() {
    std::vector<std::string> names;
    std::string error;
    if (getstructurefields(names, error)) {
        for (const std::string& name : names) {
            removestructuremember(name, error);
        }
    }
}

VornScriptObjectStructureHandler::VornScriptObjectStructureHandler()
    : VornScriptObjectStructureHandlerAbstractBase(VornHandlerKind::plainstructure) {}

VornScriptObjectStructureHandler::VornScriptObjectStructureHandler(VornScriptMemberMap members)
    : VornScriptObjectStructureHandlerAbstractBase(VornHandlerKind::plainstructure),
      members_(std::move(members)) {}

VornScriptObjectStructureHandler::~VornScriptObjectStructureHandler() {
    const VornReleaseDepth depth;
    if (depth.toodeep()) [[unlikely]] {
        for (const auto& member : members_) {
            if (member.second) {
                VornReleaseDepth::park(member.second.get());
            }
        }
    }
    members_.clear();
}

VornScriptDataHandlerPtr VornScriptObjectStructureHandler::duplicate() {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        return VornScriptDataHandlerPtr();
    }
    VornScriptMemberMap copies;
    for (const auto& [name, member] : members_) {
        copies.emplace_hint(copies.end(), name,
                            member ? makeref<VornScriptObject>(member->duplicate())
                                   : VornScriptObjectPtr());
    }
    return makeref<VornScriptObjectStructureHandler>(std::move(copies));
}

bool VornScriptObjectStructureHandler::castrvalue(VornScriptDataHandlerPtr& result,
                                                  std::string& error) {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        error = nestedtoodeepmessage;
        return false;
    }
    VornScriptMemberMap copies;
    for (const auto& [name, member] : members_) {
        copies.emplace_hint(copies.end(), name, copyelementvalue(member));
    }
    result = makeref<VornScriptObjectStructureHandler>(std::move(copies));
    return true;
}

VornScriptMemberEntry* VornScriptObjectStructureHandler::findmember(std::string_view name) {
    if (cached_ != nullptr && sametext(cached_->first, name)) {
        return cached_;
    }
    VornScriptMemberEntry* found = nullptr;
    if (members_.size() <= smallcount) {
        for (VornScriptMemberEntry& entry : members_) {
            if (sametext(entry.first, name)) {
                found = &entry;
                break;
            }
        }
    } else {
        if (index_.empty()) {
            index_.rebuild(members_);
        }
        found = index_.find(name, memberhash(name));
    }
    if (found != nullptr) {
        cached_ = found;
    }
    return found;
}

VornScriptMemberEntry& VornScriptObjectStructureHandler::makemember(const std::string& name) {
    if (VornScriptMemberEntry* found = findmember(name)) {
        return *found;
    }
    VornScriptMemberEntry& entry = *members_.emplace(name, VornScriptObjectPtr()).first;
    if (!index_.empty()) {
        index_.add(entry, memberhash(name));
    } else if (members_.size() > smallcount) {
        index_.rebuild(members_);
    }
    cached_ = &entry;
    return entry;
}

bool VornScriptObjectStructureHandler::accessstructuremember(const std::string& name,
                                                             VornScriptObjectPtr& member,
                                                             std::string&) {
    VornScriptMemberEntry& entry = makemember(name);
    if (!entry.second) {
        entry.second = makeref<VornScriptObject>();
    }
    member = entry.second;
    return true;
}

bool VornScriptObjectStructureHandler::getstructuremember(const std::string& name,
                                                          VornScriptObjectPtr& member,
                                                          std::string& error) {
    const VornScriptMemberEntry* found = findmember(name);
    if (found == nullptr) {
        error = "structure has no member " + name;
        return false;
    }
    member = found->second;
    return true;
}

bool VornScriptObjectStructureHandler::getstructurefields(std::vector<std::string>& names,
                                                          std::string&) {
    names.clear();
    names.reserve(members_.size());
    for (const auto& entry : members_) {
        names.push_back(entry.first);
    }
    return true;
}

bool VornScriptObjectStructureHandler::insertstructuremember(const std::string& name,
                                                             const VornScriptObjectPtr& member,
                                                             std::string&) {
    makemember(name).second = member;
    return true;
}

bool VornScriptObjectStructureHandler::removestructuremember(const std::string& name,
                                                             std::string&) {
    const auto found = members_.find(name);
    if (found == members_.end()) {
        return true;
    }
    if (cached_ == &*found) {
        cached_ = nullptr;
    }
    if (!index_.empty()) {
        index_.remove(name, memberhash(name));
    }
    members_.erase(found);
    return true;
}

std::string VornScriptObjectStructureHandler::tostring() {
    std::string text;
    appendstring(text);
    return text;
}

void VornScriptObjectStructureHandler::appendstring(std::string& out) {
    VornNestingGuard guard;
    if (guard.toodeep()) {
        out += nestedtoodeeptext;
        return;
    }
    out += '{';
    bool first = true;
    for (const auto& [name, member] : members_) {
        if (!first) {
            out += ", ";
        }
        first = false;
        appendmembername(out, name);
        out += ": ";
        if (member) {
            member->appendelementstring(out);
        }
    }
    out += '}';
}

void VornScriptObjectStructureHandler::appendelementstring(std::string& out) {
    appendstring(out);
}

void VornScriptObjectStructureHandler::clear() {
    cached_ = nullptr;
    index_.clear();
    members_.clear();
}

} // namespace vornscript
