// The open-file value of fileopen: a structure-kind data handler that owns one
// file descriptor and shows it as the read-only members filepath and
// filehandle. Assignment shares the handler (a file is not copied), and the
// descriptor closes with openfileclose or when the last reference goes.
#pragma once

#include "values/structurehandler.h"

#include <string>

namespace vornscript {

class VornScriptOpenFile final : public VornScriptObjectStructureHandlerAbstractBase {
public:
    VornScriptOpenFile(std::string filepath, int descriptor);
    ~VornScriptOpenFile() override;
    VornScriptOpenFile(const VornScriptOpenFile&) = delete;
    VornScriptOpenFile& operator=(const VornScriptOpenFile&) = delete;

    bool copyreference() const override { return true; }
    // An open file cannot be copied: the result is empty.
    VornScriptDataHandlerPtr duplicate() override;
    // "casting open file is not allowed".
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                               std::string& error) override;
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string& error) override;
    bool getstructurefields(std::vector<std::string>& names, std::string& error) override;
    // "not allowed to remove structure members".
    bool removestructuremember(const std::string& name, std::string& error) override;
    // "OPENFILE filepath=<path> filehandle=<number>".
    std::string debuginfo() override;

    const std::string& filepath() const { return filepath_; }
    // -1 once closed.
    int descriptor() const { return descriptor_; }
    void close();

private:
    std::string filepath_;
    int descriptor_;
};

} // namespace vornscript
