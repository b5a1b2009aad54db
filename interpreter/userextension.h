// The extension interface: user extensions, plug-in libraries and every
// execution context itself offer live variables, constants and functions to
// scripts through it. The context asks itself first, then its registered
// extensions in registration order; the first that answers wins.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/refcounted.h"
#include "values/errorexception.h"

namespace vornscript {

class VornScriptObject;
using VornScriptObjectRef = VornRef<VornScriptObject>;

class VornScriptUserExtension : public VornRefCounted {
public:
    explicit VornScriptUserExtension(std::string name = {}) : name_(std::move(name)) {}
    ~VornScriptUserExtension() override = default;

    virtual bool module_init();
    virtual void module_exit();
    virtual bool existslivevariable(const std::string& name);
    virtual VornScriptObjectRef livevariable_create(const std::string& name);
    virtual bool existsconstant(const std::string& name);
    virtual bool getconstantvalue(const std::string& name, VornScriptObjectRef& value);
    virtual bool finduserfunction(const std::string& name, int32_t argumentcount) = 0;
    virtual bool calluserfunction(const std::string& name,
                                  const std::vector<VornScriptObjectRef>& arguments,
                                  VornScriptObjectRef& result, std::string& errortext,
                                  const VornScriptSourcePosition& callposition) = 0;
    virtual std::string getsummary();
    virtual bool unittests(std::string& resulttext);

    const std::string& extensionname() const { return name_; }
    void setextensionname(std::string name) { name_ = std::move(name); }

private:
    std::string name_;
};

} // namespace vornscript
