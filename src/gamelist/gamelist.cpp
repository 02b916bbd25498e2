#include "gamelist.h"

// char_traits<char> compares as unsigned char, as strcmp does.
int compare(std::string_view a, std::string_view b) { return a.compare(b); }

int compare(const gameentry& a, const gameentry& b) {
    return compare(std::string_view(a.shortname), std::string_view(b.shortname));
}
