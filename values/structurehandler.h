// Structure handlers: the abstract base for record-like live data and the
// plain structure, an ordered map from member name to shared value object.
// Names are ordered bytewise, so iteration, field lists and the text form
// are always in sorted name order whatever order members were added in.
#pragma once

#include "values/datahandler.h"
#include "values/memberindex.h"

#include <string>
#include <string_view>

namespace vornscript {

class VornScriptObjectStructureHandlerAbstractBase : public VornScriptDataHandler {
public:
    bool isstructure() const override { return true; }
    // A plain structure holding independent copies of the members.
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    // "FIELDS(n)=" and up to ten names, " ..." and the last name.
    std::string debuginfo() override;
    std::string tostring() override;
    void clear() override;

protected:
    using VornScriptDataHandler::VornScriptDataHandler;
};

class VornScriptObjectStructureHandler final : public VornScriptObjectStructureHandlerAbstractBase {
public:
    VornScriptObjectStructureHandler();
    explicit VornScriptObjectStructureHandler(VornScriptMemberMap members);
    // Releases the members within a VornReleaseDepth.
    ~VornScriptObjectStructureHandler() override;
    // A copy would keep a lookup cache pointing into the other map.
    VornScriptObjectStructureHandler(const VornScriptObjectStructureHandler&) = delete;
    VornScriptObjectStructureHandler& operator=(const VornScriptObjectStructureHandler&) = delete;

    VornScriptDataHandlerPtr duplicate() override;
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    // Creates a missing member as undefined.
    bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                               std::string& error) override;
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string& error) override;
    bool getstructurefields(std::vector<std::string>& names, std::string& error) override;
    bool insertstructuremember(const std::string& name, const VornScriptObjectPtr& member,
                               std::string& error) override;
    bool removestructuremember(const std::string& name, std::string& error) override;
    std::string tostring() override;
    void appendstring(std::string& out) override;
    void appendelementstring(std::string& out) override;
    void clear() override;

    // Direct access to the members for the interpreter and system functions.
    // The caller may add or erase members, so the lookup cache and the index
    // are dropped (the index is rebuilt on the next lookup).
    VornScriptMemberMap& members() {
        cached_ = nullptr;
        index_.clear();
        return members_;
    }
    const VornScriptMemberMap& members() const { return members_; }
    // The member named name without creating it, nullptr when missing.
    VornScriptMemberEntry* findmember(std::string_view name);

private:
    // Up to this many members a lookup walks the map; beyond, the index
    // answers it.
    static constexpr size_t smallcount = 8;

    // The entry named name, created holding an undefined value if missing.
    VornScriptMemberEntry& makemember(const std::string& name);

    VornScriptMemberMap members_;
    // Empty while the structure is small.
    VornMemberIndex index_;
    // The last member found: scripts tend to touch one member several times
    // in a row (containskey(s, k), then s{k} += ...). Map entries stay where
    // they are while other members are added, so only erasing drops it.
    VornScriptMemberEntry* cached_ = nullptr;
};
using VornScriptObjectStructureHandlerPtr = VornRef<VornScriptObjectStructureHandler>;

// The debug text "FIELDS(n)= a b ..." of a list of member names.
std::string structurefieldsdebugtext(const std::vector<std::string>& names);

} // namespace vornscript
