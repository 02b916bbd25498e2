#pragma once

// For the few small functions of the busiest loops whose work is a move or
// two once inlined, which compilers decline in the largest callers unless
// told.
#if defined(__GNUC__) || defined(__clang__)
#define alwaysinline __attribute__((always_inline)) inline
#else
#define alwaysinline inline
#endif
