#include "token.h"

bool nexttoken(std::string_view& rest, char delimiter, std::string_view& token) {
    std::size_t start = rest.find_first_not_of(delimiter);
    if (start == std::string_view::npos) {
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
