#include "token.h"

bool nexttoken(std::string_view& rest, char delimiter, std::string_view& token) {
    std::size_t start = 0;
    while (start < rest.size() && rest[start] == delimiter) {
        ++start;
    }
    if (start == rest.size()) {
        rest = {};
        return false;
    }
    std::size_t end = rest.find(delimiter, start);
    if (end == std::string_view::npos) {
        token = rest.substr(start);
        rest = {};
    } else {
        token = rest.substr(start, end - start);
        rest = rest.substr(end + 1);
    }
    return true;
}
