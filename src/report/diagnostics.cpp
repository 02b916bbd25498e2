#include "diagnostics.h"

#include "cheatfile/cheatfields.h"
#include "text/escaped.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

const char hexdigits[] = "0123456789ABCDEF";

struct textcollector {
    std::string text;
    void put(std::string_view part) { text += part; }
    void put(char c) { text += c; }
    void putnumber(long long number) { text += std::to_string(number); }
};

template <class writer>
void quoted(writer& out, std::string_view text) {
    out.put('\'');
    putescaped(out, text);
    out.put('\'');
}

std::string_view fieldname(fieldid field) {
    switch (field) {
        case fieldid::type: return "type";
        case fieldid::address: return "address";
        case fieldid::data: return "data";
        case fieldid::extended: return "extended";
        default: return "shortname";
    }
}

bool ishex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// What is wrong with a field that failed its size or characters.
template <class writer>
void putfieldformat(writer& out, const finding& what) {
    std::string_view text = what.text;
    bool atend = endsline(text);
    std::string_view content = withoutlineend(text);
    std::size_t fewest = what.field == fieldid::address ? 4 : 8;
    out.put(fieldname(what.field));
    out.put(" field ");
    if (content.empty()) {
        out.put("is missing");
        return;
    }
    quoted(out, content);
    bool hexadecimal = true, lowercase = false;
    for (char c : content) {
        hexadecimal = hexadecimal && ishex(c);
        lowercase = lowercase || (c >= 'a' && c <= 'f');
    }
    if (!hexadecimal) {
        out.put(" is not hexadecimal");
    } else if (content.size() < fewest || (fewest == 8 && content.size() > 8)) {
        out.put(" has ");
        out.putnumber(static_cast<long long>(content.size()));
        out.put(content.size() == 1 ? " digit" : " digits");
        out.put(fewest == 8 ? ", not 8" : ", fewer than 4");
    } else if (atend || !lowercase) {
        // Upper case would not help a field that takes the line's end.
        out.put(" ends the line with no ':' after it");
    } else {
        out.put(" has lower-case digits");
    }
}

// A cheat line of a shortname and its line end, and nothing more.
template <class writer>
void putalone(writer& out, std::string_view shortname) {
    out.put("the cheat line holds only its shortname ");
    quoted(out, withoutlineend(shortname));
}

template <class writer>
void putmessage(writer& out, const finding& what, bool withlines) {
    switch (what.check) {
        case checkid::unlistedshortname:
            if (isnameless(what.text)) {
                out.put("the cheat line has no shortname");
            } else if (endsline(what.text)) {
                putalone(out, what.text);
                out.put(", which taken with the line's end is not in the emulator's game list");
            } else {
                out.put("shortname ");
                quoted(out, what.text);
                out.put(" is not in the emulator's game list");
            }
            break;
        case checkid::nocheatentries:
            out.put("listed game ");
            quoted(out, what.text);
            out.put(" has no cheat entries");
            break;
        case checkid::titlemismatch:
            out.put("title ");
            quoted(out, what.blocktitle);
            out.put(" differs from the emulator's title ");
            quoted(out, what.other);
            out.put(" of ");
            quoted(out, what.text);
            break;
        case checkid::nonascii: {
            auto byte = static_cast<unsigned char>(what.at->text[what.offset]);
            out.put("byte 0x");
            out.put(hexdigits[byte >> 4]);
            out.put(hexdigits[byte & 0xF]);
            out.put(" is above 0x7F");
            break;
        }
        case checkid::shortnamemismatch:
            if (what.setat == 0) {
                out.put("shortname ");
                quoted(out, withoutlineend(what.text));
                out.put(" stands before the first title line, in no block");
                break;
            }
            if (isnameless(what.text)) {
                out.put("the cheat line has no shortname; ");
            } else if (endsline(what.text)) {
                putalone(out, what.text);
                out.put(", which taken with the line's end differs from ");
            } else {
                out.put("shortname ");
                quoted(out, what.text);
                out.put(" differs from ");
            }
            if (isnameless(what.other)) {
                out.put("the block's first cheat line, which has none");
            } else if (endsline(what.other)) {
                out.put(isnameless(what.text) ? "the block's first cheat line holds only its shortname "
                                              : "the block's first cheat line, which holds only its shortname ");
                quoted(out, withoutlineend(what.other));
            } else {
                out.put(isnameless(what.text) ? "the block's is " : "the block's shortname ");
                quoted(out, what.other);
            }
            if (withlines) {
                out.put(" (set at line ");
                out.putnumber(what.setat);
                out.put(")");
            }
            break;
        case checkid::fieldformat:
            putfieldformat(out, what);
            break;
        case checkid::unneededfields: {
            std::string_view value = what.text;
            if (!value.empty() && value.back() == '\n') value.remove_suffix(1);
            out.put("type ");
            quoted(out, what.other);
            out.put(" uses no address, data or extended value, but its ");
            out.put(fieldname(what.field));
            out.put(" field is ");
            quoted(out, value);
            break;
        }
        case checkid::suspectmask:
            out.put("extended field '");
            putescaped(out, what.text);
            out.put("' is a suspect mask");
            break;
        case checkid::zerovalue:
            out.put("possible illegal zero address or mask");
            break;
    }
}

}  // namespace

std::string messageof(const finding& what, bool withlines) {
    textcollector out;
    putmessage(out, what, withlines);
    return out.text;
}

diagnostics::diagnostics(reportwriter& out, std::string_view filename, const gamelist& list,
                         const titleindex* titles, std::string_view results)
    : out_(out), filename_(escaped(filename)), results_(escaped(results)), list_(list), titles_(titles) {
    for (severity level : {severity::error, severity::warning, severity::note}) {
        severities_[static_cast<int>(level)] = ": " + std::string(severityname(level)) + ": ";
    }
    for (const checkinfo& check : checktable) {
        endings_[static_cast<int>(check.id)] = " [" + std::string(check.name) + "]\n";
    }
}

// Written in place: every finding starts so.
void diagnostics::start(const place& where, severity level) {
    const std::string& said = severities_[static_cast<int>(level)];
    std::size_t most = filename_.size() + where.line.size() + 24 + said.size();
    if (most > 4096) {  // a file name of thousands of characters: in parts
        out_.put(filename_);
        if (!where.line.empty()) out_.put(":"), out_.put(where.line), out_.put(":"), out_.putnumber(where.column);
        out_.put(said);
        return;
    }
    char* at = out_.claim(most);
    at = std::copy(filename_.begin(), filename_.end(), at);
    if (!where.line.empty()) {
        *at++ = ':';
        at = std::copy(where.line.begin(), where.line.end(), at);
        *at++ = ':';
        char digits[24];
        char* first = digits + sizeof digits;
        for (unsigned long long rest = static_cast<unsigned long long>(where.column); first == digits + sizeof digits || rest != 0; rest /= 10) {
            *--first = static_cast<char>('0' + rest % 10);
        }
        at = std::copy(first, digits + sizeof digits, at);
    }
    at = std::copy(said.begin(), said.end(), at);
    out_.commit(at);
}

// The message and its ending. Those that say no more than the check, the
// field and its text are made once for those words.
std::string_view diagnostics::messageof(const finding& what) {
    bool common = (what.check == checkid::suspectmask || what.check == checkid::zerovalue ||
                   what.check == checkid::fieldformat) &&
                  what.text.size() <= 13;
    std::uint64_t key[2] = {0, 0};
    char* bytes = reinterpret_cast<char*>(key);
    if (common) {
        bytes[0] = static_cast<char>(1 + static_cast<int>(what.check));
        bytes[1] = static_cast<char>(what.field);
        bytes[2] = static_cast<char>(what.text.size());
        std::memcpy(bytes + 3, what.text.data(), what.text.size());
        made& slot = recent_[(key[0] * 0x9E3779B97F4A7C15ULL ^ key[1]) % 61];
        if (slot.key[0] != key[0] || slot.key[1] != key[1]) {
            textcollector message;
            putmessage(message, what, true);
            slot.key[0] = key[0];
            slot.key[1] = key[1];
            slot.message = message.text + endings_[static_cast<int>(what.check)];
        }
        return slot.message;
    }
    textcollector message;
    putmessage(message, what, true);
    other_ = message.text + endings_[static_cast<int>(what.check)];
    return other_;
}

void diagnostics::write(const finding& what, const place& where) {
    start(where, infoof(what.check).level);
    out_.put(messageof(what));
    if (what.check != checkid::unlistedshortname || what.titlegames == 0 || titles_ == nullptr) return;
    // The listed games whose title is the block's title, first three in
    // the order of the list: a renamed game, most likely.
    start(where, severity::note);
    out_.put("the emulator lists ");
    quoted(out_, list_.games[titles_->game(what.firsttitlegame)].title);
    out_.put(" as ");
    int shown = what.titlegames < 3 ? what.titlegames : 3;
    for (int i = 0; i < shown; ++i) {
        if (i > 0) out_.put(i + 1 == shown ? " and " : ", ");
        quoted(out_, list_.games[titles_->game(what.firsttitlegame + i)].shortname);
    }
    out_.put(endings_[static_cast<int>(what.check)]);
}

void diagnostics::nocheatentries(long long games) {
    start({}, severity::note);
    out_.putnumber(games);
    out_.put(games == 1 ? " listed game has" : " listed games have");
    out_.put(" no cheat entries");
    if (!results_.empty()) {
        out_.put("; ");
        out_.put(results_);
        out_.put(" lists them");
    }
    out_.put(endings_[static_cast<int>(checkid::nocheatentries)]);
}
