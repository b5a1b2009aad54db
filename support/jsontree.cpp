// JSON tree: parsing through the generic reader and writing through the
// shared writer (see jsontree.h).
#include "support/jsontree.h"

#include "support/jsonreader.h"
#include "support/jsonwriter.h"

namespace vornjson {

namespace {

// Builds tree nodes for the reader.
struct vornjsontreebuilder {
    using value = vornjsontree;
    using object = vornjsontree;
    using array = vornjsontree;

    static vornjsontree scalar(std::string_view text) { return vornjsontree(std::string(text)); }
    static vornjsontree makeobject() { return vornjsontree::makeobject(); }
    static void setmember(vornjsontree& into, std::string_view key, vornjsontree member) {
        into.setmember(std::string(key), std::move(member));
    }
    static vornjsontree finishobject(vornjsontree members) { return members; }
    static vornjsontree makearray() { return vornjsontree::makearray(); }
    static void append(vornjsontree& into, vornjsontree element) {
        into.appendelement(std::move(element));
    }
    static vornjsontree finisharray(vornjsontree elements) { return elements; }
};

void writetree(const vornjsontree& tree, vornjsonwriter& writer) {
    switch (tree.kind()) {
    case jsonobject:
        writer.beginobject();
        for (const auto& [key, member] : tree.members()) {
            writer.member(key);
            writetree(member, writer);
        }
        writer.endobject();
        return;
    case jsonarray:
        writer.beginarray();
        for (const vornjsontree& element : tree.elements()) {
            writer.element();
            writetree(element, writer);
        }
        writer.endarray();
        return;
    case jsonscalar:
        writer.scalar(tree.text());
        return;
    }
}

} // namespace

vornjsontree vornjsontree::makeobject() {
    vornjsontree tree;
    tree.nodekind = jsonobject;
    return tree;
}

vornjsontree vornjsontree::makearray() {
    vornjsontree tree;
    tree.nodekind = jsonarray;
    return tree;
}

void vornjsontree::appendelement(vornjsontree element) {
    nodeelements.push_back(std::move(element));
}

void vornjsontree::setmember(const std::string& key, vornjsontree value) {
    nodemembers.insert_or_assign(key, std::move(value));
}

bool vornjsontree::parse(std::string_view text, std::string& errormessage,
                         vornjsonposition* errorposition) {
    vornjsontreebuilder builder;
    vornjsonparser<vornjsontreebuilder> parser(text, builder);
    vornjsontree parsed;
    if (!parser.parsedocument(parsed)) {
        *this = vornjsontree();
        errormessage = parser.errormessage;
        if (errorposition != nullptr) {
            *errorposition = parser.errorposition;
        }
        return false;
    }
    *this = std::move(parsed);
    return true;
}

std::string vornjsontree::write(int depth) const {
    std::string out;
    vornjsonwriter writer(out, depth);
    writetree(*this, writer);
    return out;
}

} // namespace vornjson
