#include "hexfield.h"

bool isitvalidhex(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i) {
        if (hexdigits::of(text[i]) == hexdigits::notadigit) {
            return false;
        }
    }
    return true;
}
