// VornScriptLibraryDataHandler: a value of a plug-in's live data. The plug-in
// keeps the object; the handler holds its id and forwards every handler
// operation to the plug-in's datahandler_ export of the same name, passing
// the id first. Each reference packet the plug-in hands out becomes its own
// handler, and destroying the handler tells the plug-in (datahandler_destroy)
// that this id is no longer used.
#pragma once

#include "extensions/librarymodule.h"
#include "values/datahandler.h"

namespace vornscript {

class VornScriptLibraryDataHandler final : public VornScriptDataHandler {
public:
    VornScriptLibraryDataHandler(int64_t objectid, VornRef<VornLibraryModule> module)
        : objectid_(objectid), module_(std::move(module)) {}
    ~VornScriptLibraryDataHandler() override;
    VornScriptLibraryDataHandler(const VornScriptLibraryDataHandler&) = delete;
    VornScriptLibraryDataHandler& operator=(const VornScriptLibraryDataHandler&) = delete;

    int64_t objectid() const { return objectid_; }
    const VornRef<VornLibraryModule>& module() const { return module_; }

    bool islibrarydata() const override { return true; }
    bool isstring() const override;
    bool isstructure() const override;
    bool isvector() const override;
    bool copyreference() const override;
    // Without the plug-in's duplicate, a plain copy (castrvalue), else an empty text.
    VornScriptDataHandlerPtr duplicate() override;
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;

    bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                               std::string& error) override;
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string& error) override;
    bool getstructurefields(std::vector<std::string>& names, std::string& error) override;
    bool insertstructuremember(const std::string& name, const VornScriptObjectPtr& member,
                               std::string& error) override;
    bool removestructuremember(const std::string& name, std::string& error) override;

    bool vectorsize(int64_t& size, std::string& error) override;
    bool accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                             std::string& error) override;
    bool getvectorelement(int64_t index, VornScriptObjectPtr& element, std::string& error) override;
    bool pushvectorelement(const VornScriptObjectPtr& element, bool byreference,
                           std::string& error) override;
    bool popvectorelement(VornScriptObjectPtr& element, std::string& error) override;
    // The exports have no insertion: the elements from [index] on are popped,
    // the new element pushed and the popped ones pushed back in order.
    bool insertvectorelement(int64_t index, const VornScriptObjectPtr& element,
                             std::string& error) override;
    bool removevectorelement(int64_t first, int64_t last, std::string& error) override;

    bool getstring(std::string& text, std::string& error) override;
    bool setstring(const std::string& text, std::string& error) override;

    // Without the plug-in's export, the generic forms of every handler.
    std::string debuginfo() override;
    // Without the plug-in's export, the text of the plain copy (castrvalue),
    // so a structure shows its members sorted like any other structure.
    std::string tostring() override;

    // The value of a packet the plug-in returned; frees the packet.
    VornScriptObjectPtr takevaluepacket(void* packet) const;

private:
    // The value in a packet the program passes in (by content, or by id for
    // the plug-in's own values).
    void* packetof(const VornScriptObjectPtr& value) const;

    int64_t objectid_;
    VornRef<VornLibraryModule> module_;
};

} // namespace vornscript
