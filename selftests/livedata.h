// Live data of the self-test extension: a list of person records that
// scripts see as a vector of structures, each field as a text, and a clock
// variable. The handlers are views: they hold no copies, every read and write
// goes to the shared records, so a change made through one value is seen
// through every other value of the same record.
#pragma once

#include "values/stringhandler.h"
#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include <string>
#include <utility>
#include <vector>

namespace vornscriptunittests {

using vornscript::VornRef;
using vornscript::VornScriptDataHandlerPtr;
using vornscript::VornScriptObjectPtr;

// One person: named text fields in their own order (name, day, month, year,
// color for the sample persons); scripts may add fields.
struct LivePersonRecord : vornscript::VornRefCounted {
    std::vector<std::pair<std::string, std::string>> fields;

    // The field's text, or nullptr.
    std::string* find(const std::string& name);
};
using LivePersonRecordPtr = VornRef<LivePersonRecord>;

struct LivePersonListData : vornscript::VornRefCounted {
    std::vector<LivePersonRecordPtr> persons;
};
using LivePersonListDataPtr = VornRef<LivePersonListData>;

// The three sample persons, freshly built.
LivePersonListDataPtr makesamplepersons();

// A value showing the record as a LivePerson structure.
VornScriptObjectPtr makelivepersonvalue(const LivePersonRecordPtr& record);

class LivePersonList final : public vornscript::VornScriptObjectVectorHandlerAbstractBase {
public:
    explicit LivePersonList(LivePersonListDataPtr list) : list_(std::move(list)) {}

    bool copyreference() const override { return true; }
    VornScriptDataHandlerPtr duplicate() override;
    bool vectorsize(int64_t& size, std::string& error) override;
    // An index equal to the size appends a new empty person.
    bool accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                             std::string& error) override;
    bool getvectorelement(int64_t index, VornScriptObjectPtr& element, std::string& error) override;
    bool pushvectorelement(const VornScriptObjectPtr& element, bool byreference,
                           std::string& error) override;
    bool popvectorelement(VornScriptObjectPtr& element, std::string& error) override;
    bool insertvectorelement(int64_t index, const VornScriptObjectPtr& element,
                             std::string& error) override;
    bool removevectorelement(int64_t first, int64_t last, std::string& error) override;
    std::string debuginfo() override { return "LivePersonList"; }

private:
    bool checklist(std::string& error) const;

    LivePersonListDataPtr list_;
};

class LivePerson final : public vornscript::VornScriptObjectStructureHandlerAbstractBase {
public:
    explicit LivePerson(LivePersonRecordPtr record) : record_(std::move(record)) {}

    bool copyreference() const override { return true; }
    VornScriptDataHandlerPtr duplicate() override;
    // A missing field is added with an empty text.
    bool accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                               std::string& error) override;
    bool getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                            std::string& error) override;
    // The record's own field order.
    bool getstructurefields(std::vector<std::string>& names, std::string& error) override;
    bool insertstructuremember(const std::string& name, const VornScriptObjectPtr& member,
                               std::string& error) override;
    bool removestructuremember(const std::string& name, std::string& error) override;
    // The text form is sorted by name like every structure's.
    std::string tostring() override;
    std::string debuginfo() override { return "LivePerson"; }

    const LivePersonRecordPtr& record() const { return record_; }

private:
    LivePersonRecordPtr record_;
};

// One field of one person as a text.
class LivePersonInfo final : public vornscript::VornScriptObjectStringHandlerAbstractBase {
public:
    LivePersonInfo(LivePersonRecordPtr record, std::string field)
        : record_(std::move(record)), field_(std::move(field)) {}

    VornScriptDataHandlerPtr duplicate() override;
    bool getstring(std::string& text, std::string& error) override;
    bool setstring(const std::string& text, std::string& error) override;
    std::string debuginfo() override { return "LivePersonInfo"; }

private:
    LivePersonRecordPtr record_;
    std::string field_;
};

// The milliseconds since system start; read-only.
class SystemTimeVar final : public vornscript::VornScriptObjectStringHandlerAbstractBase {
public:
    VornScriptDataHandlerPtr duplicate() override;
    bool getstring(std::string& text, std::string& error) override;
    bool setstring(const std::string& text, std::string& error) override;
    std::string debuginfo() override { return "SystemTimeVar"; }
};

} // namespace vornscriptunittests
