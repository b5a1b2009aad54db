// Vector handlers: the abstract base for list-like live data and the plain
// vector, an array of shared value objects. An entry may be empty (reads as
// undefined); accessing an index past the end grows the vector with
// undefined values, so scripts can assign to any non-negative index.
#pragma once

#include "values/datahandler.h"

namespace vornscript {

class VornScriptObjectVectorHandlerAbstractBase : public VornScriptDataHandler {
public:
    bool isvector() const override { return true; }
    // A plain vector holding independent copies of the elements.
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    std::string debuginfo() override;
    std::string tostring() override;
    void clear() override;

protected:
    using VornScriptDataHandler::VornScriptDataHandler;
};

class VornScriptObjectVectorHandler final : public VornScriptObjectVectorHandlerAbstractBase {
public:
    VornScriptObjectVectorHandler();
    explicit VornScriptObjectVectorHandler(VornScriptObjectList elements);

    VornScriptDataHandlerPtr duplicate() override;
    bool castrvalue(VornScriptDataHandlerPtr& result, std::string& error) override;
    bool vectorsize(int64_t& size, std::string& error) override;
    bool accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                             std::string& error) override;
    bool pushvectorelement(const VornScriptObjectPtr& element, bool byreference,
                           std::string& error) override;
    bool getvectorelement(int64_t index, VornScriptObjectPtr& element, std::string& error) override;
    bool getvectorelements(VornScriptObjectList& elements, std::string& error) override;
    bool popvectorelement(VornScriptObjectPtr& element, std::string& error) override;
    bool insertvectorelement(int64_t index, const VornScriptObjectPtr& element,
                             std::string& error) override;
    bool removevectorelement(int64_t first, int64_t last, std::string& error) override;
    std::string tostring() override;
    void appendstring(std::string& out) override;
    void appendelementstring(std::string& out) override;
    void clear() override;

    // Direct access to the storage for the interpreter and system functions.
    VornScriptObjectList::iterator begin() { return elements_.begin(); }
    VornScriptObjectList::iterator end() { return elements_.end(); }
    VornScriptObjectList& elements() { return elements_; }
    const VornScriptObjectList& elements() const { return elements_; }

private:
    VornScriptObjectList elements_;
};
using VornScriptObjectVectorHandlerPtr = VornRef<VornScriptObjectVectorHandler>;

} // namespace vornscript
