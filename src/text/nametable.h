#pragma once

#include <cstddef>
#include <functional>
#include <string_view>
#include <vector>

#include "textstore.h"

// Items found by a name, for a table that grows with its input. The items
// and the names' bytes are kept in blocks that never move, so an item
// stays where it was put; a table of slots, laid out again twice as large
// whenever it is half full, finds them with one hash and most often one
// slot. Names met again in the order they first came cost little more
// than that slot: the items they lead to lie one after another.
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
            if (here.hash == hash && there.name == name) return &there.value;
        }
    }

    // A new item of a name the table does not hold yet.
    item& add(std::string_view name) {
        if (2 * (entries_.size() + 1) > slots_.size()) grow();
        entries_.add(entry{names_.keep(name), item()});
        place(std::hash<std::string_view>()(name), entries_.size());
        return entries_[entries_.size() - 1].value;
    }

    std::size_t size() const { return entries_.size(); }

private:
    struct slot {
        std::size_t hash = 0;
        std::size_t index = 0;  // of the entry, from 1; 0: empty
    };
    struct entry {
        std::string_view name;
        item value;
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
