#pragma once

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Keeps copies of texts for as long as it lives, in blocks of a megabyte
// (or one text's size, when larger) that never move: a table that grows
// with its input costs an allocation a block, never one an item.
class textstore {
public:
    std::string_view keep(std::string_view text);
    void clear() { blocks_.clear(); }

private:
    struct block {
        std::unique_ptr<char[]> bytes;
        std::size_t used;
        std::size_t size;
    };
    std::vector<block> blocks_;
};

// Items kept in blocks of `perblock` that never move, for a table whose
// size is known only once it is read.
template <class item, std::size_t perblock = 4096>
class itemstore {
public:
    void add(const item& value) {
        if (count_ % perblock == 0) blocks_.push_back(std::unique_ptr<item[]>(new item[perblock]));
        blocks_.back()[count_ % perblock] = value;
        ++count_;
    }
    const item& operator[](std::size_t at) const { return blocks_[at / perblock][at % perblock]; }
    item& operator[](std::size_t at) { return blocks_[at / perblock][at % perblock]; }
    std::size_t size() const { return count_; }
    // Whether `count` items from `at` stand side by side, in one block.
    bool together(std::size_t at, std::size_t count) const {
        return count == 0 || at / perblock == (at + count - 1) / perblock;
    }
    void clear() {
        blocks_.clear();
        count_ = 0;
    }

private:
    std::vector<std::unique_ptr<item[]>> blocks_;
    std::size_t count_ = 0;
};
