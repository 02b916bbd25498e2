#include "baseline.h"

#include <algorithm>
#include <cstdint>

#include "checks/checktable.h"
#include "checks/messages.h"

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

// A line of CHECK, MESSAGE and LINE, the check a known one, every
// backslash the start of a \xNN.
bool isentry(std::string_view text) {
    std::size_t first = text.find('\t');
    if (first == std::string_view::npos || findcheck(text.substr(0, first)) == nullptr) return false;
    std::size_t second = text.find('\t', first + 1);
    if (second == std::string_view::npos || text.find('\t', second + 1) != std::string_view::npos) return false;
    auto hex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); };
    for (std::size_t at = text.find('\\'); at != std::string_view::npos; at = text.find('\\', at + 1)) {
        if (at + 3 >= text.size() || text[at + 1] != 'x' || !hex(text[at + 2]) || !hex(text[at + 3])) return false;
    }
    return true;
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

std::string baselinekey(std::string_view entry) {
    std::size_t first = entry.find('\t');
    std::size_t second = entry.find('\t', first + 1);
    std::string_view check = entry.substr(0, first);
    std::string_view message = entry.substr(first + 1, second - first - 1);
    std::string_view line = entry.substr(second + 1);
    bool unlisted = check == infoof(checkid::unlistedshortname).name;
    // The block's shortname stands on another line, which a rename may
    // change; the line's own shortname, the same.
    if (check == infoof(checkid::shortnamemismatch).name) message = {};
    std::string key(check);
    key += '\t';
    key += message;
    key += '\t';
    if (!unlisted && !line.empty() && line[0] == ':') {
        std::size_t name = line.find_first_not_of(':');
        std::size_t after = name == std::string_view::npos ? line.size() : line.find(':', name);
        key += ':';
        if (after != std::string_view::npos) key += line.substr(after);
    } else {
        key += line;
    }
    // Upper case, which a fix may give a field, matches lower case. Coded
    // bytes are \xNN with upper-case digits, so this folds letters alone.
    for (std::size_t i = check.size() + 1; i < key.size(); ++i) {
        if (key[i] >= 'a' && key[i] <= 'f') key[i] = static_cast<char>(key[i] - 'a' + 'A');
    }
    return key;
}

long long baseline::read(std::FILE* file) {
    itemstore<std::string_view> read;
    std::string current;
    long long number = 1;
    bool comment = false, bad = false;
    int c = std::getc(file);
    if (c == 0xEF && std::getc(file) == 0xBB && std::getc(file) == 0xBF) {
        c = std::getc(file);  // a byte-order mark
    } else if (c == 0xEF) {
        return 1;
    }
    auto take = [&] {
        if (!current.empty() && current.back() == '\r') current.pop_back();  // a CR LF checkout
        if (!comment && !current.empty()) {
            if (bad || !isentry(current)) return false;
            read.add(text_.keep(baselinekey(current)));
        }
        current.clear();
        comment = bad = false;
        return true;
    };
    for (; c != EOF; c = std::getc(file)) {
        if (c == '\n') {
            if (!take()) return number;
            ++number;
        } else if (current.empty() && c == '#') {
            comment = true;  // of any length, not kept
            current += '#';
        } else if (!comment) {
            if (current.size() == longestentry) bad = true; else current += static_cast<char>(c);
        }
    }
    if (!take()) return number;  // a last line without its line end
    // Sorted, each entry once with how often it stands.
    std::unique_ptr<std::string_view[]> all(new std::string_view[read.size()]);
    for (std::size_t i = 0; i < read.size(); ++i) all[i] = read[i];
    std::sort(all.get(), all.get() + read.size());
    entries_.reset(new recorded[read.size()]);
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (count_ > 0 && entries_[count_ - 1].entry == all[i]) {
            ++entries_[count_ - 1].times;
        } else {
            entries_[count_++] = {all[i], 1, 0};
        }
    }
    return 0;
}

bool baseline::hides(std::string_view key) {
    recorded* end = entries_.get() + count_;
    recorded* at = std::lower_bound(entries_.get(), end, key,
                                    [](const recorded& r, std::string_view k) { return r.entry < k; });
    if (at == end || at->entry != key || at->matched == at->times) return false;
    ++at->matched;
    ++hidden_;
    return true;
}

long long baseline::gone(const bool* selected) const {
    long long count = 0;
    for (std::size_t i = 0; i < count_; ++i) {
        const checkinfo* check = findcheck(entries_[i].entry.substr(0, entries_[i].entry.find('\t')));
        if (check != nullptr && selected[static_cast<int>(check->id)]) count += entries_[i].times - entries_[i].matched;
    }
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
