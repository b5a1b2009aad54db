// Abstract structure base and the plain structure handler.
#include "values/structurehandler.h"

#include "values/conversions.h"
#include "values/scriptobject.h"

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

bool VornScriptObjectStructureHandler::findmember(const std::string& name,
                                                  VornScriptMemberMap::iterator& position) {
    if (cached_ != members_.end() && cached_->first == name) {
        position = cached_;
        return true;
    }
    position = members_.lower_bound(name);
    if (position == members_.end() || position->first != name) {
        return false;
    }
    cached_ = position;
    return true;
}

bool VornScriptObjectStructureHandler::accessstructuremember(const std::string& name,
                                                             VornScriptObjectPtr& member,
                                                             std::string&) {
    VornScriptMemberMap::iterator found;
    if (!findmember(name, found)) {
        found = members_.emplace_hint(found, name, makeref<VornScriptObject>());
        cached_ = found;
    } else if (!found->second) {
        found->second = makeref<VornScriptObject>();
    }
    member = found->second;
    return true;
}

bool VornScriptObjectStructureHandler::getstructuremember(const std::string& name,
                                                          VornScriptObjectPtr& member,
                                                          std::string& error) {
    VornScriptMemberMap::iterator found;
    if (!findmember(name, found)) {
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
    members_.insert_or_assign(name, member);
    return true;
}

bool VornScriptObjectStructureHandler::removestructuremember(const std::string& name,
                                                             std::string&) {
    cached_ = members_.end();
    members_.erase(name);
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
    cached_ = members_.end();
    members_.clear();
}

} // namespace vornscript
