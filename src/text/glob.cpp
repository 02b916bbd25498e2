#include "glob.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

enum class step : unsigned char {
    literal,  // one character, itself
    one,      // ?
    star,     // * : any run without '/'
    any,      // ** : any run
    folders,  // **/ starting a folder name: nothing, or the next step
    run,      // after `folders`: any run that ends with '/'
};

struct part {
    step kind;
    char c;
};

char folded(char c, bool casesensitive) {
    return !casesensitive && c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<part> compile(std::string_view pattern, bool casesensitive) {
    std::vector<part> parts;
    for (std::size_t i = 0; i < pattern.size();) {
        char c = pattern[i];
        if (c == '?') {
            parts.push_back({step::one, 0});
            ++i;
        } else if (c == '*') {
            std::size_t stars = 0;
            while (i + stars < pattern.size() && pattern[i + stars] == '*') ++stars;
            bool startsname = i == 0 || pattern[i - 1] == '/';
            i += stars;
            if (stars == 1) {
                parts.push_back({step::star, 0});
            } else if (startsname && i < pattern.size() && pattern[i] == '/') {
                parts.push_back({step::folders, 0});
                parts.push_back({step::run, 0});
                ++i;
            } else {
                parts.push_back({step::any, 0});
            }
        } else {
            parts.push_back({step::literal, folded(c, casesensitive)});
            ++i;
        }
    }
    return parts;
}

}  // namespace

// The pattern as a row of steps, and the set of steps reached after each
// character of the path, so no choice is ever tried twice.
bool globmatch(std::string_view pattern, std::string_view path, bool casesensitive) {
    const std::vector<part> parts = compile(pattern, casesensitive);
    const std::size_t count = parts.size();
    // reached[j]: the first j steps match the path read so far.
    std::vector<char> reached(count + 1, 0), next(count + 1, 0);
    reached[0] = 1;
    // A step that may match nothing lets the next one start where it does.
    auto skipempty = [&](std::vector<char>& set) {
        for (std::size_t j = 0; j < count; ++j) {
            if (!set[j]) continue;
            step kind = parts[j].kind;
            if (kind == step::star || kind == step::any || kind == step::folders) set[j + 1] = 1;
            if (kind == step::folders) set[j + 2] = 1;  // no folders at all
        }
    };
    skipempty(reached);
    std::size_t parentend = 0;  // the end of the ".." folder the character is in, if it is
    for (std::size_t i = 0; i < path.size(); ++i) {
        const char c = folded(path[i], casesensitive);
        if ((i == 0 || path[i - 1] == '/') && path.substr(i, 2) == ".." &&
            (i + 2 == path.size() || path[i + 2] == '/')) {
            parentend = i + 2;
        }
        std::fill(next.begin(), next.end(), 0);
        for (std::size_t j = 0; j < count; ++j) {
            if (!reached[j]) continue;
            if (i < parentend && parts[j].kind != step::literal) continue;
            switch (parts[j].kind) {
            case step::literal:
                if (parts[j].c == c) next[j + 1] = 1;
                break;
            case step::one:
                if (c != '/') next[j + 1] = 1;
                break;
            case step::star:
                if (c != '/') next[j] = 1;
                break;
            case step::any:
                next[j] = 1;
                break;
            case step::folders:
                break;  // never more than where `run` starts
            case step::run:
                next[j] = 1;
                if (c == '/') next[j + 1] = 1;
                break;
            }
        }
        skipempty(next);
        if (std::find(next.begin(), next.end(), 1) == next.end()) return false;  // nothing can match now
        reached.swap(next);
    }
    return reached[count] != 0;
}
