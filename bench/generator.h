#pragma once

#include <cstdint>

// splitmix64: the same numbers on every host, unlike the standard
// distributions, so that the benchmark's inputs are the same bytes.
struct generator {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }
    bool chance(int percent) { return below(10000) < percent * 100; }
    bool permille(int count) { return below(1000) < count; }
};
