#include "baseline.h"

#include <algorithm>
#include <cstdint>

#include "checks/checktable.h"
#include "checks/messages.h"
#include "text/hexdigits.h"

namespace {

constexpr std::size_t keptline = 4096;
constexpr std::size_t longestentry = 1 << 16;

std::uint64_t fnv1a(std::string_view text, std::uint64_t hash = 0xCBF29CE484222325ULL) {
    for (char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001B3ULL;
    return hash;
}

void putcoded(std::string& out, std::string_view text) {
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x7F || byte == '\\') {
            out += "\\x";
            out += hexdigitchars[byte >> 4];
            out += hexdigitchars[byte & 0xF];
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
    for (std::size_t at = text.find('\\'); at != std::string_view::npos; at = text.find('\\', at + 1)) {
        if (at + 3 >= text.size() || text[at + 1] != 'x' || !ishexdigit(text[at + 2]) || !ishexdigit(text[at + 3])) return false;
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
        for (int shift = 60; shift >= 0; shift -= 4) kept_ += hexdigitchars[(hash_ >> shift) & 0xF];
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
    // Upper case, which a fix may give a field, matches lower case: in the
    // message, and in the line's value fields. Coded bytes are \xNN with
    // upper-case digits, so this folds letters alone.
    auto fold = [](std::string& text, std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to && i < text.size(); ++i) {
            if (text[i] >= 'a' && text[i] <= 'f') text[i] = static_cast<char>(text[i] - 'a' + 'A');
        }
    };
    std::string key(check);
    key += '\t';
    key += message;
    fold(key, check.size() + 1, key.size());
    key += '\t';
    if (line.empty() || line[0] != ':') {
        key += line;
        return key;
    }
    std::size_t name = line.find_first_not_of(':');
    std::size_t after = name == std::string_view::npos ? line.size() : std::min(line.find(':', name), line.size());
    if (unlisted) {
        key += line.substr(0, after);
    } else {
        key += ':';
    }
    std::size_t values = key.size();
    key += line.substr(after);
    // The four value fields end at the fifth colon from here, or the end.
    std::size_t end = values;
    for (int colons = 0; end < key.size() && colons < 5; ++end) colons += key[end] == ':' ? 1 : 0;
    fold(key, values, end);
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

baseline::progress baseline::saved() const {
    progress now{std::vector<long long>(count_), hidden_};
    for (std::size_t i = 0; i < count_; ++i) now.matched[i] = entries_[i].matched;
    return now;
}

void baseline::restore(const progress& saved) {
    for (std::size_t i = 0; i < count_; ++i) entries_[i].matched = saved.matched[i];
    hidden_ = saved.hidden;
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
