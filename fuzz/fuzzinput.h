#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// A read-only stream over the fuzzer's bytes.
inline std::FILE* openbytes(const void* data, std::size_t size) {
    static char empty[1];
    void* bytes = size == 0 ? empty : const_cast<void*>(data);
    return fmemopen(bytes, size, "rb");
}
