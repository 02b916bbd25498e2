#include "fingerprint.h"

#include "facts.h"
#include "report/baseline.h"

namespace {

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 0xCBF29CE484222325ULL) {
    for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    return hash;
}

}  // namespace

void fingerprints::startfile(std::string_view name) {
    file_ = name;
    seen_.clear();
}

// The file's name goes in too: two files of a run may hold the same line.
std::string fingerprints::next(const finding& what, std::string_view linetext) {
    std::string key = baselinekey(baselineentry(what, linetext));
    long long occurrence = ++seen_[key];
    std::uint64_t hash = fnv1a(file_);
    hash = fnv1a(std::string_view("\0", 1), hash);
    hash = fnv1a(key, hash);
    hash = fnv1a("#" + std::to_string(occurrence), hash);
    return hexhash(hash);
}
