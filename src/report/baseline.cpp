#include "baseline.h"

#include <cstdint>

#include "checks/checktable.h"
#include "diagnostics.h"

namespace {

constexpr std::size_t keptline = 4096;
constexpr std::size_t longestentry = 1 << 16;

const char hexdigits[] = "0123456789ABCDEF";

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 0xCBF29CE484222325ULL) {
    for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    return hash;
}

void putcoded(std::string& out, std::string_view text) {
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || byte == '\\') {
            out += "\\x";
            out += hexdigits[byte >> 4];
            out += hexdigits[byte & 0xF];
        } else {
            out += c;
        }
    }
}

// A line of CHECK, MESSAGE and LINE, the check a known one.
bool isentry(std::string_view text) {
    std::size_t first = text.find('\t');
    if (first == std::string_view::npos || findcheck(text.substr(0, first)) == nullptr) return false;
    std::size_t second = text.find('\t', first + 1);
    return second != std::string_view::npos && text.find('\t', second + 1) == std::string_view::npos;
}

}  // namespace

void baselineline::clear() {
    kept_.clear();
    hash_ = 0xCBF29CE484222325ULL;
    size_ = 0;
    done_ = false;
}

void baselineline::add(std::string_view bytes) {
    if (kept_.size() < keptline) kept_.append(bytes.substr(0, keptline - kept_.size()));
    hash_ = fnv1a(bytes, hash_);
    size_ += bytes.size();
}

const std::string& baselineline::text() {
    if (!done_ && size_ > keptline) {
        kept_ += "...#";
        for (int shift = 60; shift >= 0; shift -= 4) kept_ += hexdigits[(hash_ >> shift) & 0xF];
    }
    done_ = true;
    return kept_;
}

std::string baselineentry(const finding& what, std::string_view linetext) {
    std::string entry(infoof(what.check).name);
    entry += '\t';
    putcoded(entry, messageof(what, false));
    entry += '\t';
    putcoded(entry, linetext);
    return entry;
}

long long baseline::read(std::FILE* file) {
    itemstore<std::string_view> entries;
    std::string current;
    long long number = 1;
    for (int c; (c = std::getc(file)) != EOF;) {
        if (c != '\n') {
            if (current.size() == longestentry) return number;
            current += static_cast<char>(c);
            continue;
        }
        if (!current.empty() && current.back() == '\r') current.pop_back();  // a CR LF checkout
        if (!current.empty() && current[0] != '#') {
            if (!isentry(current)) return number;
            entries.add(text_.keep(current));
        }
        current.clear();
        ++number;
    }
    if (!current.empty()) return number;  // cut short: no line end
    size_ = 16;
    while (size_ < 2 * entries.size()) size_ *= 2;
    slots_ = std::make_unique<slot[]>(size_);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        slot* place = find(entries[i]);
        place->entry = entries[i];
        ++place->recorded;
    }
    return 0;
}

baseline::slot* baseline::find(std::string_view entry) {
    std::size_t at = static_cast<std::size_t>(fnv1a(entry)) & (size_ - 1);
    while (!slots_[at].entry.empty() && slots_[at].entry != entry) at = (at + 1) & (size_ - 1);
    return &slots_[at];
}

bool baseline::hides(std::string_view entry) {
    slot* place = find(entry);
    if (place->entry.empty() || place->matched == place->recorded) return false;
    ++place->matched;
    ++hidden_;
    return true;
}

long long baseline::gone() const {
    long long count = 0;
    for (std::size_t i = 0; i < size_; ++i) count += slots_[i].recorded - slots_[i].matched;
    return count;
}

baselinewriter::baselinewriter(std::FILE* file) : file_(file), out_(file) {
    out_.put("# vettle baseline: CHECK<tab>MESSAGE<tab>LINE, one finding a line; bytes outside printable ASCII "
             "and the backslash as \\xNN\n");
}

void baselinewriter::add(const std::string& entry) {
    out_.put(entry);
    out_.put('\n');
}

bool baselinewriter::close() {
    out_.flush();
    bool written = !out_.failed() && !std::ferror(file_);
    return std::fclose(file_) == 0 && written;
}
