#include "textcopy.h"

std::size_t copytext(char* field, std::size_t capacity, std::string_view text) {
    std::size_t length = text.size() < capacity ? text.size() : capacity;
    for (std::size_t i = 0; i < length; ++i) {
        field[i] = text[i];
    }
    field[length] = '\0';
    return length;
}
