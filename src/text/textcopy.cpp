#include "textcopy.h"

#include <cstring>

std::size_t copytext(char* field, std::size_t capacity, std::string_view text) {
    std::size_t length = text.size() < capacity ? text.size() : capacity;
    if (length != 0) {  // an empty view may point nowhere
        std::memcpy(field, text.data(), length);
    }
    field[length] = '\0';
    return length;
}
