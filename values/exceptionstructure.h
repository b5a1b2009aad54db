// VornScriptExceptionStructure: the structure a `catch(e)` block receives. It
// holds a copy of the caught error and makes its members (filename, what,
// linenr, columnnr, pos, info) as new values on each lookup, so changing a
// member value never changes the exception. Assignment shares it.
#pragma once

#include "values/errorexception.h"
#include "values/structurehandler.h"

namespace vornscript {

class VornScriptExceptionStructure final : public VornScriptObjectStructureHandlerAbstractBase {
public:
    explicit VornScriptExceptionStructure(VornScriptErrorException error);

    bool copyreference() const override { return true; }
    VornScriptDataHandlerPtr duplicate() override;
    bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                               std::string& error) override;
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string& error) override;
    bool getstructurefields(std::vector<std::string>& names, std::string& error) override;
    // Always "not allowed to remove structure members".
    bool removestructuremember(const std::string& name, std::string& error) override;
    // Both the full error text ("info").
    std::string debuginfo() override;
    std::string tostring() override;

    const VornScriptErrorException& exception() const { return error_; }

private:
    VornScriptErrorException error_;
};

} // namespace vornscript
