// Live data of the self-test extension (see livedata.h). Records are shared
// by reference: pushing a LivePerson value shares its record, pushing a plain
// structure copies its members into a new record as texts.
#include "selftests/livedata.h"

#include "support/phrasetranslator.h"
#include "support/stringnumbers.h"
#include "values/scriptobject.h"

#include <algorithm>
#include <chrono>

namespace vornscriptunittests {

using vornscript::makeref;
using vornscript::VornScriptObject;

namespace {

std::string livemessage(const char* phrase) {
    return vornscript::translate(phrase, "selftests");
}

struct SamplePerson {
    const char* name;
    int day;
    int month;
    int year;
    const char* color;
};

constexpr SamplePerson samplepersons[] = {
    {"dorvash", 13, 5, 1967, "blue"},
    {"kelmir", 18, 11, 1968, "red"},
    {"isolet", 11, 6, 1943, "pink"},
};

LivePersonRecordPtr copyrecord(const LivePersonRecord& record) {
    LivePersonRecordPtr copy = makeref<LivePersonRecord>();
    copy->fields = record.fields;
    return copy;
}

// The record behind a value: a LivePerson's own record (shared), or a new
// record holding the texts of a plain structure's members.
bool recordofvalue(const VornScriptObjectPtr& value, LivePersonRecordPtr& record,
                   std::string& error) {
    if (!value || !value->getdatahandler() || !value->getdatahandler()->isstructure()) {
        error = livemessage("structure expected");
        return false;
    }
    if (auto* person = dynamic_cast<LivePerson*>(value->getdatahandler().get())) {
        record = person->record();
        return true;
    }
    std::vector<std::string> names;
    if (!value->getstructurefields(names, error)) {
        return false;
    }
    record = makeref<LivePersonRecord>();
    for (const std::string& name : names) {
        VornScriptObjectPtr member;
        if (!value->getstructuremember(name, member, error)) {
            return false;
        }
        record->fields.emplace_back(name, member ? member->tostring() : std::string());
    }
    return true;
}

VornScriptObjectPtr makepersoninfovalue(const LivePersonRecordPtr& record,
                                        const std::string& field) {
    return makeref<VornScriptObject>(makeref<LivePersonInfo>(record, field));
}

} // namespace

std::string* LivePersonRecord::find(const std::string& name) {
    auto found = std::find_if(fields.begin(), fields.end(),
                              [&name](const auto& field) { return field.first == name; });
    return found == fields.end() ? nullptr : &found->second;
}

LivePersonListDataPtr makesamplepersons() {
    LivePersonListDataPtr list = makeref<LivePersonListData>();
    for (const SamplePerson& sample : samplepersons) {
        LivePersonRecordPtr record = makeref<LivePersonRecord>();
        record->fields = {{"name", sample.name},
                          {"day", std::to_string(sample.day)},
                          {"month", std::to_string(sample.month)},
                          {"year", std::to_string(sample.year)},
                          {"color", sample.color}};
        list->persons.push_back(std::move(record));
    }
    return list;
}

VornScriptObjectPtr makelivepersonvalue(const LivePersonRecordPtr& record) {
    return makeref<VornScriptObject>(makeref<LivePerson>(record));
}

// ---- LivePersonList ----

bool LivePersonList::checklist(std::string& error) const {
    if (!list_) {
        error = livemessage("livelist is null");
        return false;
    }
    return true;
}

VornScriptDataHandlerPtr LivePersonList::duplicate() {
    LivePersonListDataPtr copy = makeref<LivePersonListData>();
    if (list_) {
        for (const LivePersonRecordPtr& record : list_->persons) {
            copy->persons.push_back(copyrecord(*record));
        }
    }
    return makeref<LivePersonList>(std::move(copy));
}

bool LivePersonList::vectorsize(int64_t& size, std::string& error) {
    if (!checklist(error)) {
        return false;
    }
    size = static_cast<int64_t>(list_->persons.size());
    return true;
}

bool LivePersonList::accessvectorelement(int64_t index, VornScriptObjectPtr& element,
                                         std::string& error) {
    if (!checklist(error)) {
        return false;
    }
    const auto size = static_cast<int64_t>(list_->persons.size());
    if (index < 0 || index > size) {
        error = livemessage("invalid index");
        return false;
    }
    if (index == size) {
        list_->persons.push_back(makeref<LivePersonRecord>());
    }
    element = makelivepersonvalue(list_->persons[static_cast<size_t>(index)]);
    return true;
}

bool LivePersonList::getvectorelement(int64_t index, VornScriptObjectPtr& element,
                                      std::string& error) {
    if (!checklist(error)) {
        return false;
    }
    element = VornScriptObjectPtr();
    if (index >= 0 && index < static_cast<int64_t>(list_->persons.size())) {
        element = makelivepersonvalue(list_->persons[static_cast<size_t>(index)]);
    }
    return true;
}

bool LivePersonList::pushvectorelement(const VornScriptObjectPtr& element, bool,
                                       std::string& error) {
    LivePersonRecordPtr record;
    if (!checklist(error) || !recordofvalue(element, record, error)) {
        return false;
    }
    list_->persons.push_back(std::move(record));
    return true;
}

bool LivePersonList::popvectorelement(VornScriptObjectPtr& element, std::string& error) {
    if (!checklist(error)) {
        return false;
    }
    element = VornScriptObjectPtr();
    if (!list_->persons.empty()) {
        element = makelivepersonvalue(list_->persons.back());
        list_->persons.pop_back();
    }
    return true;
}

bool LivePersonList::insertvectorelement(int64_t index, const VornScriptObjectPtr& element,
                                         std::string& error) {
    LivePersonRecordPtr record;
    if (!checklist(error) || !recordofvalue(element, record, error)) {
        return false;
    }
    if (index < 0 || index > static_cast<int64_t>(list_->persons.size())) {
        error = livemessage("invalid index");
        return false;
    }
    list_->persons.insert(list_->persons.begin() + index, std::move(record));
    return true;
}

bool LivePersonList::removevectorelement(int64_t first, int64_t last, std::string& error) {
    if (!checklist(error)) {
        return false;
    }
    const auto size = static_cast<int64_t>(list_->persons.size());
    first = std::max<int64_t>(first, 0);
    last = std::min(last, size - 1);
    if (first <= last) {
        list_->persons.erase(list_->persons.begin() + first, list_->persons.begin() + last + 1);
    }
    return true;
}

// ---- LivePerson ----

VornScriptDataHandlerPtr LivePerson::duplicate() {
    return makeref<LivePerson>(copyrecord(*record_));
}

bool LivePerson::accessstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                       std::string&) {
    if (record_->find(name) == nullptr) {
        record_->fields.emplace_back(name, std::string());
    }
    member = makepersoninfovalue(record_, name);
    return true;
}

bool LivePerson::getstructuremember(const std::string& name, VornScriptObjectPtr& member,
                                    std::string& error) {
    if (record_->find(name) == nullptr) {
        error = livemessage("structure does not contain field ") + name;
        return false;
    }
    member = makepersoninfovalue(record_, name);
    return true;
}

bool LivePerson::getstructurefields(std::vector<std::string>& names, std::string&) {
    names.clear();
    for (const auto& field : record_->fields) {
        names.push_back(field.first);
    }
    return true;
}

bool LivePerson::insertstructuremember(const std::string& name, const VornScriptObjectPtr& member,
                                       std::string&) {
    std::string text = member ? member->tostring() : std::string();
    if (std::string* field = record_->find(name)) {
        *field = std::move(text);
    } else {
        record_->fields.emplace_back(name, std::move(text));
    }
    return true;
}

bool LivePerson::removestructuremember(const std::string& name, std::string&) {
    std::erase_if(record_->fields, [&name](const auto& field) { return field.first == name; });
    return true;
}

std::string LivePerson::tostring() {
    VornScriptDataHandlerPtr plain;
    std::string error;
    return castrvalue(plain, error) ? plain->tostring() : std::string();
}

// ---- LivePersonInfo ----

VornScriptDataHandlerPtr LivePersonInfo::duplicate() {
    return makeref<LivePersonInfo>(record_ ? copyrecord(*record_) : LivePersonRecordPtr(), field_);
}

bool LivePersonInfo::getstring(std::string& text, std::string& error) {
    if (!record_) {
        error = livemessage("no record");
        return false;
    }
    const std::string* field = record_->find(field_);
    if (field == nullptr) {
        error = livemessage("record does not contain field ") + field_;
        return false;
    }
    text = *field;
    return true;
}

bool LivePersonInfo::setstring(const std::string& text, std::string& error) {
    if (!record_) {
        error = livemessage("no record");
        return false;
    }
    std::string* field = record_->find(field_);
    if (field == nullptr) {
        error = livemessage("record does not contain field ") + field_;
        return false;
    }
    *field = text;
    return true;
}

// ---- SystemTimeVar ----

VornScriptDataHandlerPtr SystemTimeVar::duplicate() {
    return makeref<SystemTimeVar>();
}

bool SystemTimeVar::getstring(std::string& text, std::string&) {
    // The monotonic clock counts from system start on Linux.
    using namespace std::chrono;
    text = vornstdstring::val2str(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    return true;
}

bool SystemTimeVar::setstring(const std::string&, std::string& error) {
    error = livemessage("SystemTimeVar setstring not supported");
    return false;
}

} // namespace vornscriptunittests
