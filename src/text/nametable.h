#pragma once

#include <cstddef>
#include <cstring>
#include <functional>
#include <string_view>
#include <vector>

#include "shorttext.h"
#include "textstore.h"

// Items found by a name, for a table that grows with its input. The items
// and the names' bytes are kept in blocks that never move, so an item
// stays where it was put; a table of slots, laid out again twice as large
// whenever it is half full, finds them with one hash and most often one
// slot. A name is looked up where the table is seldom in the cache (once
// a block of a big file), so each item is kept with its name, when short,
// on a pair of cache lines of its own, which a miss brings in together: a
// lookup touches its slot and that pair.
template <class item>
class nametable {
public:
    // The item of that name, or null.
    item* find(std::string_view name) {
        if (slots_.empty()) return nullptr;
        std::size_t hash = std::hash<std::string_view>()(name);
        for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
            const slot& here = slots_[at];
            if (here.index == 0) return nullptr;
            entry& there = entries_[here.index - 1];
            if (here.hash == hash && sametext(there.name(), name)) return &there.value;
        }
    }

    // A new item of a name the table does not hold yet.
    item& add(std::string_view name) {
        if (2 * (entries_.size() + 1) > slots_.size()) grow();
        entry made;
        made.length = name.size();
        if (name.size() <= sizeof made.inlined) {
            if (!name.empty()) std::memcpy(made.inlined, name.data(), name.size());
        } else {
            made.far = names_.keep(name).data();
        }
        entries_.add(made);
        place(std::hash<std::string_view>()(name), entries_.size());
        return entries_[entries_.size() - 1].value;
    }

    std::size_t size() const { return entries_.size(); }

private:
    struct slot {
        std::size_t hash = 0;
        std::size_t index = 0;  // of the entry, from 1; 0: empty
    };
    struct alignas(128) entry {
        std::size_t length = 0;
        char inlined[16] = {};       // a name this long or shorter
        const char* far = nullptr;  // a longer one, kept in names_
        item value = item();

        std::string_view name() const { return {length <= sizeof inlined ? inlined : far, length}; }
    };

    void place(std::size_t hash, std::size_t index) {
        std::size_t at = hash & mask_;
        while (slots_[at].index != 0) at = (at + 1) & mask_;
        slots_[at] = slot{hash, index};
    }

    void grow() {
        std::vector<slot> old(slots_.empty() ? 1024 : 2 * slots_.size());
        old.swap(slots_);
        mask_ = slots_.size() - 1;
        for (const slot& kept : old) {
            if (kept.index != 0) place(kept.hash, kept.index);
        }
    }

    std::vector<slot> slots_;
    std::size_t mask_ = 0;
    itemstore<entry> entries_;
    textstore names_;
};
