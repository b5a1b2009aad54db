// The hash index of a plain structure's members.
#include "values/memberindex.h"

#include "support/shortbytes.h"

namespace vornscript {

namespace {

constexpr uint64_t multiplier = 0x9e3779b97f4a7c15ULL;
// An empty index starts with this many slots.
constexpr size_t initialslots = 32;

uint64_t mix(uint64_t hash, uint64_t word) {
    hash = (hash ^ word) * multiplier;
    return hash ^ (hash >> 29);
}

} // namespace

uint64_t memberhash(std::string_view name) {
    const char* at = name.data();
    const size_t size = name.size();
    uint64_t hash = size * multiplier;
    if (size >= 8) {
        // Whole words, then the last word (overlapping) for the rest.
        size_t offset = 0;
        for (; offset + 8 < size; offset += 8) {
            hash = mix(hash, loadword<uint64_t>(at + offset));
        }
        hash = mix(hash, loadword<uint64_t>(at + size - 8));
    } else if (size >= 4) {
        hash = mix(hash, uint64_t{loadword<uint32_t>(at)} |
                             (uint64_t{loadword<uint32_t>(at + size - 4)} << 32));
    } else if (size > 0) {
        // The first, middle and last byte cover names of one to three bytes.
        const auto byte = [at](size_t index) {
            return static_cast<uint64_t>(static_cast<unsigned char>(at[index]));
        };
        hash = mix(hash, byte(0) | (byte(size / 2) << 8) | (byte(size - 1) << 16));
    }
    return mix(hash, hash >> 32);
}

VornScriptMemberEntry* VornMemberIndex::find(std::string_view name, uint64_t hash) const {
    if (slots_.empty()) {
        return nullptr;
    }
    const size_t mask = slots_.size() - 1;
    for (size_t position = hash & mask;; position = (position + 1) & mask) {
        const Slot& slot = slots_[position];
        if (slot.entry == nullptr) {
            return nullptr;
        }
        if (slot.hash == hash && sametext(slot.entry->first, name)) {
            return slot.entry;
        }
    }
}

void VornMemberIndex::add(VornScriptMemberEntry& entry, uint64_t hash) {
    if ((count_ + 1) * 2 > slots_.size()) {
        grow();
    }
    place(Slot{hash, &entry});
    ++count_;
}

void VornMemberIndex::remove(std::string_view name, uint64_t hash) {
    if (slots_.empty()) {
        return;
    }
    const size_t mask = slots_.size() - 1;
    size_t hole = hash & mask;
    for (;; hole = (hole + 1) & mask) {
        const Slot& slot = slots_[hole];
        if (slot.entry == nullptr) {
            return;
        }
        if (slot.hash == hash && sametext(slot.entry->first, name)) {
            break;
        }
    }
    // Backward shift: later slots of the run whose home is not between the
    // hole and them move into the hole, so no probe ever stops early.
    for (size_t next = (hole + 1) & mask; slots_[next].entry != nullptr; next = (next + 1) & mask) {
        const size_t home = slots_[next].hash & mask;
        const bool reachable =
            hole <= next ? (home > hole && home <= next) : (home > hole || home <= next);
        if (!reachable) {
            slots_[hole] = slots_[next];
            hole = next;
        }
    }
    slots_[hole] = Slot{};
    --count_;
}

void VornMemberIndex::rebuild(VornScriptMemberMap& members) {
    clear();
    for (VornScriptMemberEntry& entry : members) {
        add(entry, memberhash(entry.first));
    }
}

void VornMemberIndex::clear() {
    slots_.clear();
    count_ = 0;
}

void VornMemberIndex::grow() {
    std::vector<Slot> old(slots_.empty() ? initialslots : slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.entry != nullptr) {
            place(slot);
        }
    }
}

void VornMemberIndex::place(Slot slot) {
    const size_t mask = slots_.size() - 1;
    size_t position = slot.hash & mask;
    while (slots_[position].entry != nullptr) {
        position = (position + 1) & mask;
    }
    slots_[position] = slot;
}

} // namespace vornscript
