#include "textstore.h"

#include <algorithm>
#include <cstring>

std::string_view textstore::keep(std::string_view text) {
    constexpr std::size_t blocksize = 1 << 20;
    if (text.empty()) return {"", 0};  // a view that points somewhere, as every kept one does
    if (blocks_.empty() || blocks_.back().size - blocks_.back().used < text.size()) {
        std::size_t size = std::max(blocksize, text.size());
        blocks_.push_back({std::unique_ptr<char[]>(new char[size]), 0, size});  // not zeroed: each byte is written first
    }
    block& last = blocks_.back();
    char* copy = last.bytes.get() + last.used;
    std::memcpy(copy, text.data(), text.size());
    last.used += text.size();
    return {copy, text.size()};
}
