// The user extension registered in every self-test context under the name
// "usertest": a constant, the live variables tickcount and persons, and the
// functions cube(x) and newperson(). Each instance builds its own sample
// persons, so every test context starts from the same data.
#pragma once

#include "interpreter/userextension.h"
#include "selftests/livedata.h"

namespace vornscriptunittests {

class TestUserExtension final : public vornscript::VornScriptUserExtension {
public:
    explicit TestUserExtension(std::string name);

    bool existslivevariable(const std::string& name) override;
    vornscript::VornScriptObjectRef livevariable_create(const std::string& name) override;
    bool getconstantvalue(const std::string& name, vornscript::VornScriptObjectRef& value) override;
    bool finduserfunction(const std::string& name, int32_t argumentcount) override;
    bool calluserfunction(const std::string& name,
                          const std::vector<vornscript::VornScriptObjectRef>& arguments,
                          vornscript::VornScriptObjectRef& result, std::string& errortext,
                          const vornscript::VornScriptSourcePosition& callposition) override;
    std::string getsummary() override;

private:
    LivePersonListDataPtr persons_;
};

} // namespace vornscriptunittests
