// vornscripttestlibrary: the plug-in the self-tests load. It offers what the
// in-process "usertest" extension offers, through the plug-in exports only:
// the constant MYLIBCONSTANT, the live variables tickcount and users (the
// sample persons as a vector of structures), and the functions sum, multiply
// and newuser, and echo, which hands its argument back. Live objects live here and are known to the
// program by id: every reference handed out gets a new id, which the program releases with
// datahandler_destroy, while the records behind them are shared.
#include "vornplugin.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <utility>

using namespace vornplugin;

namespace {

// The owner tag of this plug-in's references.
constexpr uint64_t ownertag = 0x5445535431; // "TEST1"

struct Person {
    std::vector<std::pair<std::string, std::string>> fields;

    std::string* find(const std::string& name) {
        for (auto& field : fields) {
            if (field.first == name) {
                return &field.second;
            }
        }
        return nullptr;
    }
};
using PersonPtr = std::shared_ptr<Person>;
using PersonList = std::shared_ptr<std::vector<PersonPtr>>;

// One live object the program holds an id of.
struct LiveObject {
    enum Kind { list, person, field, clock } kind;
    PersonList persons;    // list
    PersonPtr record;      // person, field
    std::string fieldname; // field
};

std::map<uint32_t, LiveObject> objects;
uint32_t nextid = 1;
PersonList users;
int loads = 0;

struct SamplePerson {
    const char* name;
    const char* day;
    const char* month;
    const char* year;
    const char* color;
};

constexpr SamplePerson samplepersons[] = {
    {"dorvash", "13", "5", "1967", "blue"},
    {"kelmir", "18", "11", "1968", "red"},
    {"isolet", "11", "6", "1943", "pink"},
};

constexpr const char* summary =
    "UserLibrary vornscripttestlibrary\n\n"
    "constants:\nMYLIBCONSTANT\n\n"
    "live variables:\ntickcount\nusers\n\n"
    "functions:\nsum(x,...)\nmultiply(a,b,...)\nnewuser()\necho(value)\n";

PersonList makesamples() {
    auto list = std::make_shared<std::vector<PersonPtr>>();
    for (const SamplePerson& sample : samplepersons) {
        auto person = std::make_shared<Person>();
        person->fields = {{"name", sample.name},
                          {"day", sample.day},
                          {"month", sample.month},
                          {"year", sample.year},
                          {"color", sample.color}};
        list->push_back(std::move(person));
    }
    return list;
}

void* reference(LiveObject object) {
    const uint32_t id = nextid++;
    objects.emplace(id, std::move(object));
    return makereferencepacket(id, ownertag);
}

void* personreference(const PersonPtr& person) {
    return reference({LiveObject::person, nullptr, person, {}});
}

LiveObject* findobject(int64_t id) {
    const auto found = objects.find(static_cast<uint32_t>(id));
    return found == objects.end() ? nullptr : &found->second;
}

// This plug-in's object behind a reference packet, or nullptr.
LiveObject* objectofpacket(const void* packet) {
    return packetkind(packet) == referencepacket && packettag(packet) != hostownertag
               ? findobject(packetobjectid(packet))
               : nullptr;
}

std::string text(const void* packet) {
    return utf8(packettext(packet));
}

bool fail(void*& error, const std::string& message) {
    error = maketextpacket(utf16(message));
    return false;
}

bool unknownobject(void*& error) {
    return fail(error, "unknown object");
}

int64_t milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The text of a field or clock object.
bool readtext(const LiveObject& object, std::string& result, void*& error) {
    if (object.kind == LiveObject::clock) {
        result = std::to_string(milliseconds());
        return true;
    }
    if (object.kind != LiveObject::field) {
        return fail(error, "text expected");
    }
    if (!object.record) {
        return fail(error, "no record");
    }
    const std::string* field = object.record->find(object.fieldname);
    if (field == nullptr) {
        return fail(error, "record does not contain field " + object.fieldname);
    }
    result = *field;
    return true;
}

// The text a value packet carries: a text, or the text of a live text of ours.
bool valuetext(const void* packet, std::string& result) {
    if (packetkind(packet) == textpacket) {
        result = text(packet);
        return true;
    }
    void* ignored = nullptr;
    const LiveObject* object = objectofpacket(packet);
    const bool read = object != nullptr && readtext(*object, result, ignored);
    freepacket(ignored);
    return read;
}

// The record a pushed value stands for: one of our persons (shared), or a
// new record made of a structure's member texts.
PersonPtr recordofpacket(const void* packet) {
    if (const LiveObject* object = objectofpacket(packet)) {
        return object->kind == LiveObject::person ? object->record : nullptr;
    }
    if (packetkind(packet) != pairspacket) {
        return nullptr;
    }
    auto person = std::make_shared<Person>();
    for (uint32_t index = 0; index + 1 < packetcount(packet); index += 2) {
        std::string value;
        valuetext(packetitem(packet, index + 1), value);
        person->fields.emplace_back(text(packetitem(packet, index)), value);
    }
    return person;
}

void* personpairs(const Person& person) {
    std::vector<void*> items;
    for (const auto& [name, value] : person.fields) {
        items.push_back(maketextpacket(utf16(name)));
        items.push_back(maketextpacket(utf16(value)));
    }
    return makecollectionpacket(pairspacket, items, 0);
}

// The numbers of the arguments; false when one is not a number.
bool numbers(const void* arguments, std::vector<double>& values) {
    for (uint32_t index = 0; index < packetcount(arguments); ++index) {
        std::string argument;
        if (!valuetext(packetitem(arguments, index), argument) || argument.empty()) {
            return false;
        }
        char* end = nullptr;
        values.push_back(std::strtod(argument.c_str(), &end));
        if (*end != 0) {
            return false;
        }
    }
    return true;
}

// A whole result as a whole number, else with six decimals, as the language
// writes numbers.
void* numberpacket(double value) {
    char buffer[64];
    if (std::floor(value) == value && std::fabs(value) < 9.2e18) {
        std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
    } else {
        std::snprintf(buffer, sizeof buffer, "%f", value);
    }
    return maketextpacket(utf16(buffer));
}

bool isfunction(const std::string& name, int count) {
    return (name == "sum" && count >= 1) || (name == "multiply" && count >= 2) ||
           (name == "newuser" && count == 0) || (name == "echo" && count == 1);
}

} // namespace

// Every context that loads the library calls module_init; the sample data
// is fresh for the first and shared by contexts that overlap, and the last
// module_exit drops it, so nothing is left behind when the library unloads.
bool module_init(int64_t module) {
    if (loads++ == 0) {
        users = makesamples();
    }
    return module != 0;
}

void module_exit() {
    if (--loads == 0) {
        users.reset();
    }
}

bool existslivevariable(void* const name) {
    const std::string variable = text(name);
    return variable == "tickcount" || variable == "users";
}

void* livevariable_create(void* const name) {
    const std::string variable = text(name);
    if (variable == "tickcount") {
        return reference({LiveObject::clock, nullptr, nullptr, {}});
    }
    if (variable == "users") {
        return reference({LiveObject::list, users, nullptr, {}});
    }
    return nullptr;
}

bool existsconstant(void* const name) {
    return text(name) == "MYLIBCONSTANT";
}

bool getconstantvalue(void* const name, void*& value) {
    if (!existsconstant(name)) {
        return false;
    }
    value = maketextpacket(u"my lib value");
    return true;
}

bool finduserfunction(void* const name, int argcount, void*& info) {
    const std::string function = text(name);
    if (!isfunction(function, argcount)) {
        return false;
    }
    info = maketextpacket(utf16(function));
    return true;
}

bool calluserfunction(void* const name, void* const args, void*& result, void*& error,
                      void* /*position*/) {
    const std::string function = text(name);
    if (!isfunction(function, static_cast<int>(packetcount(args)))) {
        return fail(error, "unknown function " + function);
    }
    if (function == "echo") {
        result = clonepacket(packetitem(args, 0));
        return true;
    }
    if (function == "newuser") {
        result = personreference(std::make_shared<Person>());
        return true;
    }
    std::vector<double> values;
    if (!numbers(args, values)) {
        return fail(error, "double value expected");
    }
    double total = function == "sum" ? 0 : 1;
    for (const double value : values) {
        total = function == "sum" ? total + value : total * value;
    }
    result = numberpacket(total);
    return true;
}

void* getsummary() {
    return maketextpacket(utf16(summary));
}

bool unittests(void*& results) {
    results = maketextpacket(u"");
    return true;
}

void datahandler_destroy(int64_t id) {
    objects.erase(static_cast<uint32_t>(id));
}

bool datahandler_isstring(int64_t id) {
    const LiveObject* object = findobject(id);
    return object != nullptr &&
           (object->kind == LiveObject::field || object->kind == LiveObject::clock);
}

bool datahandler_getstring(int64_t id, void*& result, void*& error) {
    const LiveObject* object = findobject(id);
    std::string value;
    if (object == nullptr) {
        return unknownobject(error);
    }
    if (!readtext(*object, value, error)) {
        return false;
    }
    result = maketextpacket(utf16(value));
    return true;
}

bool datahandler_setstring(int64_t id, void* const value, void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr) {
        return unknownobject(error);
    }
    if (object->kind == LiveObject::clock) {
        return fail(error, "SystemTimeVar setstring not supported");
    }
    std::string current;
    if (!readtext(*object, current, error)) {
        return false;
    }
    *object->record->find(object->fieldname) = text(value);
    return true;
}

bool datahandler_isstructure(int64_t id) {
    const LiveObject* object = findobject(id);
    return object != nullptr && object->kind == LiveObject::person;
}

bool datahandler_accessstructuremember(int64_t id, void* const name, void*& value, void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr || object->kind != LiveObject::person) {
        return unknownobject(error);
    }
    const std::string field = text(name);
    if (object->record->find(field) == nullptr) {
        object->record->fields.emplace_back(field, std::string());
    }
    value = reference({LiveObject::field, nullptr, object->record, field});
    return true;
}

bool datahandler_getstructuremember(int64_t id, void* const name, void*& value, void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr || object->kind != LiveObject::person) {
        return unknownobject(error);
    }
    const std::string field = text(name);
    if (object->record->find(field) == nullptr) {
        return fail(error, "structure does not contain field " + field);
    }
    value = reference({LiveObject::field, nullptr, object->record, field});
    return true;
}

bool datahandler_getstructurefields(int64_t id, void*& names, void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr || object->kind != LiveObject::person) {
        return unknownobject(error);
    }
    std::vector<void*> items;
    for (const auto& field : object->record->fields) {
        items.push_back(maketextpacket(utf16(field.first)));
    }
    names = makecollectionpacket(listpacket, items, 0);
    return true;
}

bool datahandler_insertstructuremember(int64_t id, void* const name, void* const value,
                                       void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr || object->kind != LiveObject::person) {
        return unknownobject(error);
    }
    const std::string field = text(name);
    std::string content;
    valuetext(value, content);
    if (std::string* existing = object->record->find(field)) {
        *existing = content;
    } else {
        object->record->fields.emplace_back(field, content);
    }
    return true;
}

bool datahandler_removestructuremember(int64_t id, void* const name, void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr || object->kind != LiveObject::person) {
        return unknownobject(error);
    }
    const std::string field = text(name);
    std::erase_if(object->record->fields,
                  [&field](const auto& entry) { return entry.first == field; });
    return true;
}

bool datahandler_isvector(int64_t id) {
    const LiveObject* object = findobject(id);
    return object != nullptr && object->kind == LiveObject::list;
}

namespace {

// The list object of id, or nullptr with the error set.
std::vector<PersonPtr>* listof(int64_t id, void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr || object->kind != LiveObject::list) {
        unknownobject(error);
        return nullptr;
    }
    if (!object->persons) {
        fail(error, "livelist is null");
        return nullptr;
    }
    return object->persons.get();
}

} // namespace

bool datahandler_vectorsize(int64_t id, int64_t& size, void*& error) {
    const std::vector<PersonPtr>* list = listof(id, error);
    if (list == nullptr) {
        return false;
    }
    size = static_cast<int64_t>(list->size());
    return true;
}

// An index equal to the size appends a new empty person.
bool datahandler_accessvectorelement(int64_t id, int64_t index, void*& value, void*& error) {
    std::vector<PersonPtr>* list = listof(id, error);
    if (list == nullptr) {
        return false;
    }
    if (index < 0 || index > static_cast<int64_t>(list->size())) {
        return fail(error, "invalid index");
    }
    if (index == static_cast<int64_t>(list->size())) {
        list->push_back(std::make_shared<Person>());
    }
    value = personreference((*list)[static_cast<size_t>(index)]);
    return true;
}

bool datahandler_getvectorelement(int64_t id, int64_t index, void*& value, void*& error) {
    const std::vector<PersonPtr>* list = listof(id, error);
    if (list == nullptr) {
        return false;
    }
    if (index >= 0 && index < static_cast<int64_t>(list->size())) {
        value = personreference((*list)[static_cast<size_t>(index)]);
    }
    return true;
}

bool datahandler_pushvectorelement(int64_t id, void* const value, bool /*byreference*/,
                                   void*& error) {
    std::vector<PersonPtr>* list = listof(id, error);
    if (list == nullptr) {
        return false;
    }
    PersonPtr record = recordofpacket(value);
    if (!record) {
        return fail(error, "structure expected");
    }
    list->push_back(std::move(record));
    return true;
}

bool datahandler_popvectorelement(int64_t id, void*& value, void*& error) {
    std::vector<PersonPtr>* list = listof(id, error);
    if (list == nullptr) {
        return false;
    }
    if (!list->empty()) {
        value = personreference(list->back());
        list->pop_back();
    }
    return true;
}

bool datahandler_removevectorelements(int64_t id, int64_t first, int64_t last, void*& error) {
    std::vector<PersonPtr>* list = listof(id, error);
    if (list == nullptr) {
        return false;
    }
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, static_cast<int64_t>(list->size()) - 1);
    if (first <= last) {
        list->erase(list->begin() + first, list->begin() + last + 1);
    }
    return true;
}

bool datahandler_copyreference(int64_t id) {
    const LiveObject* object = findobject(id);
    return object != nullptr &&
           (object->kind == LiveObject::list || object->kind == LiveObject::person);
}

void* datahandler_debuginfo(int64_t id) {
    static constexpr const char16_t* classnames[] = {u"LivePersonList", u"LivePerson",
                                                     u"LivePersonInfo", u"SystemTimeVar"};
    const LiveObject* object = findobject(id);
    return object == nullptr ? nullptr : maketextpacket(classnames[object->kind]);
}

// A copy with its own records.
void* datahandler_duplicate(int64_t id) {
    const LiveObject* object = findobject(id);
    if (object == nullptr) {
        return nullptr;
    }
    LiveObject copy = *object;
    if (copy.record) {
        copy.record = std::make_shared<Person>(*copy.record);
    }
    if (copy.persons) {
        copy.persons = std::make_shared<std::vector<PersonPtr>>();
        for (const PersonPtr& person : *object->persons) {
            copy.persons->push_back(std::make_shared<Person>(*person));
        }
    }
    return reference(std::move(copy));
}

// Plain values: a list of structures, a structure, or a text.
bool datahandler_castrvalue(int64_t id, void*& value, void*& error) {
    const LiveObject* object = findobject(id);
    if (object == nullptr) {
        return unknownobject(error);
    }
    if (object->kind == LiveObject::person) {
        value = personpairs(*object->record);
        return true;
    }
    if (object->kind == LiveObject::list) {
        std::vector<void*> items;
        for (const PersonPtr& person : *object->persons) {
            items.push_back(personpairs(*person));
        }
        value = makecollectionpacket(listpacket, items, 0);
        return true;
    }
    std::string content;
    if (!readtext(*object, content, error)) {
        return false;
    }
    value = maketextpacket(utf16(content));
    return true;
}
