// The profile summary (see profiler.h) and VornScriptDebuggerBase's two
// profiler operations.
#include "debugger/profiler.h"

#include "support/stringbasics.h"
#include "support/stringedit.h"

#include <algorithm>
#include <string_view>

namespace vornscript {
namespace {

constexpr size_t maximumsourcelength = 80;

struct MethodRow {
    std::string_view name;
    VornScriptProfileOrder::Key key;
};

constexpr MethodRow methodtable[] = {
    {"count", VornScriptProfileOrder::Key::count},
    {"sumbrutto", VornScriptProfileOrder::Key::sumbrutto},
    {"sumnetto", VornScriptProfileOrder::Key::sumnetto},
    {"singlebrutto", VornScriptProfileOrder::Key::singlebrutto},
    {"singlenetto", VornScriptProfileOrder::Key::singlenetto},
};

int64_t perevaluation(int64_t total, uint32_t count) {
    return count == 0 ? 0 : total / int64_t(count);
}

VornScriptProfileRecord makerecord(const VornScriptExpressionBase& node,
                                   const VornScriptNodeList& children) {
    VornScriptProfileRecord record;
    record.source = vornstdstring::trim(node.sourcetext());
    record.position = node.position();
    if (record.position.line == 0) {
        record.position.line = 1;
        record.position.column = 1;
    }
    record.count = node.callcount;
    record.sumbrutto = node.sumbrutto;
    int64_t childtime = 0;
    for (const VornScriptNodePtr& child : children) {
        childtime += child->sumbrutto;
    }
    // The tick counter's coarse steps can make the children seem to take
    // longer than their parent.
    record.sumnetto = std::max<int64_t>(0, node.sumbrutto - childtime);
    return record;
}

// Adds a record to a list that holds at most [limit]: a full list gives up
// its first record that sorts after the new one, or keeps itself.
void holdrecord(std::vector<VornScriptProfileRecord>& held, VornScriptProfileRecord record,
                size_t limit, const VornScriptProfileOrder& order) {
    if (held.size() < limit) {
        held.push_back(std::move(record));
        return;
    }
    for (auto existing = held.begin(); existing != held.end(); ++existing) {
        if (order.before(record, *existing)) {
            held.erase(existing);
            held.push_back(std::move(record));
            return;
        }
    }
}

} // namespace

VornScriptProfileOrder VornScriptProfileOrder::parse(const std::string& method) {
    VornScriptProfileOrder order;
    std::string_view name = method;
    if (!name.empty() && (name.front() == '+' || name.front() == '-')) {
        order.ascending = name.front() == '+';
        name.remove_prefix(1);
    }
    for (const MethodRow& row : methodtable) {
        if (row.name == name) {
            order.key = row.key;
        }
    }
    return order;
}

int64_t VornScriptProfileOrder::measure(const VornScriptProfileRecord& record) const {
    switch (key) {
    case Key::count:
        return record.count;
    case Key::sumnetto:
        return record.sumnetto;
    case Key::singlebrutto:
        return perevaluation(record.sumbrutto, record.count);
    case Key::singlenetto:
        return perevaluation(record.sumnetto, record.count);
    case Key::sumbrutto:
        break;
    }
    return record.sumbrutto;
}

bool VornScriptProfileOrder::before(const VornScriptProfileRecord& first,
                                    const VornScriptProfileRecord& second) const {
    return ascending ? measure(first) < measure(second) : measure(first) > measure(second);
}

std::string profilerecordline(const VornScriptProfileRecord& record) {
    std::string source =
        vornstdstring::replacecharacters(vornstdstring::trim(record.source), "\r\n\t", " ");
    std::string line = "calls;" + std::to_string(record.count);
    line += ";sumbrutto=" + std::to_string(record.sumbrutto);
    line += ";sumnetto=" + std::to_string(record.sumnetto);
    line += ";singlebrutto=" + std::to_string(perevaluation(record.sumbrutto, record.count));
    line += ";singlenetto=" + std::to_string(perevaluation(record.sumnetto, record.count));
    line += ";pos;;" + record.position.positiontext();
    line += ";source;" + vornstdstring::shortcut(source, maximumsourcelength);
    return line;
}

void VornScriptDebuggerBase::writeprofile(std::string& out,
                                          const std::vector<VornScriptProfileRecord>& records) {
    for (const VornScriptProfileRecord& record : records) {
        out += profilerecordline(record);
        out += '\n';
    }
}

void VornScriptDebuggerBase::profilesummary(std::string& out, const VornScriptExpressionBase* root,
                                            const std::string& method, size_t limit) {
    if (root == nullptr) {
        return;
    }
    const VornScriptProfileOrder order = VornScriptProfileOrder::parse(method);
    std::vector<VornScriptProfileRecord> held;
    // Depth first, a node before its children in order; an explicit stack,
    // so a deep tree cannot exhaust the native one.
    std::vector<const VornScriptExpressionBase*> pending{root};
    VornScriptNodeList children;
    while (!pending.empty()) {
        const VornScriptExpressionBase* node = pending.back();
        pending.pop_back();
        children.clear();
        node->children(children);
        if (node->callcount != 0) {
            holdrecord(held, makerecord(*node, children), limit, order);
        }
        for (size_t index = children.size(); index-- > 0;) {
            pending.push_back(children[index].get());
        }
    }
    std::stable_sort(
        held.begin(), held.end(),
        [&order](const VornScriptProfileRecord& first, const VornScriptProfileRecord& second) {
            return order.before(first, second);
        });
    writeprofile(out, held);
}

} // namespace vornscript
