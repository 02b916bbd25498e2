// MAME 2003-Plus's loader ("Base release for MAME 0.81"). One file mixes
// two layouts, often within one game: the new one the classic checks know,
// and an old one without the leading colon,
// `game:cpu:address:data:type:description[:comment]` (cpu decimal, address
// and data hexadecimal, type a three-digit code). ":_command:HEX" lines
// are engine commands. A line that fits neither layout is skipped without
// a word; a game whose first line taken (remove-from-list lines left out)
// is a linked part gets no cheats at all. Names and descriptions keep 255
// characters, and a line is read 2,047 bytes at a time.

#include <string>
#include <unordered_set>

#include "cheatfile/cheatfields.h"
#include "cheatfile/linekind.h"
#include "cheatfile/titleline.h"
#include "checks/dialect.h"
#include "checks/fieldcheck.h"
#include "checks/fieldfailure.h"
#include "later.h"

namespace {

using later::startswith;

constexpr std::string_view commandstart = ":_command:";
constexpr std::size_t textroom = 255;
constexpr long long readroom = 2047;
constexpr std::uint32_t removebit = 1u << 14;
constexpr std::uint32_t linkbit = 1u << 16;

// The old layout's type codes the emulator knows, below 500; 500 more is
// the same type as a linked part.
bool isknowncode(int code) {
    const int ranges[][2] = {{0, 11},   {15, 17},   {20, 24},   {40, 44},   {60, 65},  {70, 75},  {80, 85},
                             {90, 95},  {100, 103}, {110, 113}, {120, 122}, {998, 999}};
    for (const auto& range : ranges) {
        if (code >= range[0] && code <= range[1]) return true;
    }
    return false;
}
bool islinkedcode(int code) { return code >= 500 && code < 998 && isknowncode(code - 500); }

bool isdecimal(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return !text.empty();
}
bool ishex(std::string_view text, std::size_t most) {
    for (char c : text) {
        if (!isanycasehexdigit(c)) return false;
    }
    return !text.empty() && text.size() <= most;
}

// The fields of a line split at each colon, as the emulator's reading
// format takes them: the last runs to the line's end.
struct splitline {
    std::string_view fields[8];
    int count = 0;
};

splitline split(std::string_view text) {
    std::string_view content = withoutlineend(text);
    if (!content.empty() && content.back() == '\r') content.remove_suffix(1);
    splitline out;
    while (out.count < 8) {
        std::size_t colon = content.find(':');
        out.fields[out.count++] = content.substr(0, colon);
        if (colon == std::string_view::npos) break;
        content.remove_prefix(colon + 1);
    }
    return out;
}

bool hasupper(std::string_view text) {
    for (char c : text) {
        if (c >= 'A' && c <= 'Z') return true;
    }
    return false;
}

// Why the emulator skips a line of either layout, or nothing: `at`, the
// first of its fields (after the leading colon of the new layout).
std::string_view whyignored(const splitline& line, int at, bool old) {
    const char* old_missing[] = {"its shortname is missing", "its cpu field is missing", "its address field is missing",
                                 "its data field is missing", "its type field is missing",
                                 "its description is missing"};
    const char* new_missing[] = {"its shortname is missing", "its type field is missing", "its address field is missing",
                                 "its data field is missing", "its extended field is missing",
                                 "its description is missing"};
    for (int i = 0; i < 6; ++i) {
        if (at + i >= line.count || line.fields[at + i].empty()) return old ? old_missing[i] : new_missing[i];
    }
    const std::string_view* f = line.fields + at;
    if (f[0].size() > textroom) return "its shortname is over 255 characters";
    if (f[0][0] == ' ' || f[0][0] == '\t') return "a blank stands before the shortname";
    if (hasupper(f[0])) return "its shortname has upper-case letters";
    if (old) {
        if (!isdecimal(f[1])) return "its cpu field is not a decimal number";
        if (!ishex(f[2], 64)) return "its address field is not hexadecimal";
        if (!ishex(f[3], 64)) return "its data field is not hexadecimal";
        if (!isdecimal(f[4])) return "its type field is not a decimal number";
    } else {
        if (!ishex(f[1], 8)) return "its type field is not 1 to 8 hexadecimal digits";
        if (!ishex(f[2], 64)) return "its address field is not hexadecimal";
        if (!ishex(f[3], 8)) return "its data field is not 1 to 8 hexadecimal digits";
        if (!ishex(f[4], 8)) return "its extended field is not 1 to 8 hexadecimal digits";
    }
    return {};
}

class mame2003plusrules final : public linecheck {
public:
    explicit mame2003plusrules(findingsink& out) : out_(out) {}

    void check(const line& current, linekind kind, std::string_view number) override {
        if (current.column != 1) {
            continuation(current, number);
            return;
        }
        carry_ = 0;
        if (kind == linekind::title) block_.newblock = true;
        if (kind == linekind::command) command(current, number);
        if (kind == linekind::cheat || kind == linekind::oldcheat) cheatline(current, number, kind == linekind::oldcheat);
        if (endsphysical(current)) longline(current, number);
    }

private:
    void fieldformat(const line& current, std::string_view number, std::string_view text, fieldid field) {
        finding bad = findingon(checkid::fieldformat, current, number, text);
        bad.field = field;
        out_.found(bad);
    }

    void longtext(const line& current, std::string_view number, std::string_view what, long long length) {
        finding f = findingon(checkid::longtext, current, number, current.text.substr(0, 0));
        f.other = what;
        f.setat = length;
        out_.found(f);
    }

    void command(const line& current, std::string_view number) {
        std::string_view value = withoutlineend(current.text.substr(commandstart.size()));
        if (!ishex(value, 64)) fieldformat(current, number, value, fieldid::command);
    }

    void cheatline(const line& current, std::string_view number, bool old) {
        std::string_view text = current.text;
        splitline fields = split(text);
        int at = old ? 0 : 1;
        std::string_view name = fields.fields[at];
        if (!shortnamepasses(old ? name : cheatshortname(text), current, block_)) {
            checkedline named{};
            named.shortname = old ? name : cheatshortname(text);
            tellfailures(current, number, named, failure::shortname, block_, out_);
        }
        std::uint32_t type = 0;
        bool linked = false, removed = false;
        if (old) {
            const std::string_view* f = fields.fields;
            if (fields.count > 1 && !isdecimal(f[1])) fieldformat(current, number, f[1], fieldid::cpu);
            if (fields.count > 2 && !ishex(f[2], 64)) fieldformat(current, number, f[2], fieldid::oldaddress);
            if (fields.count > 3 && !ishex(f[3], 64)) fieldformat(current, number, f[3], fieldid::olddata);
            int code = fields.count > 4 && isdecimal(f[4]) && f[4].size() <= 3 ? std::stoi(std::string(f[4])) : -1;
            if (fields.count > 4 && (f[4].size() != 3 || !(isknowncode(code) || islinkedcode(code)))) {
                fieldformat(current, number, f[4], fieldid::oldtype);
            }
            linked = islinkedcode(code);
        } else {
            checkedline checked = checkfieldsanycase(text);
            if (checked.failed != 0) tellfailures(current, number, checked, checked.failed, block_, out_);
            type = later::hexprefix(fields.count > 2 ? fields.fields[2] : std::string_view());
            linked = (type & linkbit) != 0;
            removed = (type & removebit) != 0;
        }
        std::string_view why = whyignored(fields, at, old);
        if (name.size() > textroom) {
            // The line is skipped, and this says why in its own words.
            longtext(current, number, "name", static_cast<long long>(name.size()));
        } else if (!why.empty()) {
            // A line of fewer fields looks like no cheat line: the field rules say enough.
            if (fields.count >= at + 5) {
                finding ignored = findingon(checkid::ignoredline, current, number, text.substr(0, 0));
                ignored.other = why;
                out_.found(ignored);
            }
        } else if (!removed && decided_.insert(std::string(name)).second && linked) {
            out_.found(findingon(checkid::firstcheatlinked, current, number, name));
        }
        int description = at + 5;
        if (description < fields.count) {
            std::string_view text5 = fields.fields[description];
            bool runs = description == fields.count - 1 && !endsphysical(current);
            if (runs) {
                carry_ = static_cast<long long>(text5.size());
            } else if (text5.size() > textroom) {
                longtext(current, number, "description", static_cast<long long>(text5.size()));
            }
        }
    }

    // A later piece of a long line: the rest of a description that ran
    // into it.
    void continuation(const line& current, std::string_view number) {
        if (carry_ > 0) {
            std::string_view rest = withoutlineend(current.text);
            std::size_t end = rest.find_first_of(":\r");
            carry_ += static_cast<long long>(end == std::string_view::npos ? rest.size() : end);
            if (end != std::string_view::npos || endsphysical(current)) {
                if (carry_ > static_cast<long long>(textroom)) longtext(current, number, "description", carry_);
                carry_ = 0;
            }
        }
        if (endsphysical(current)) longline(current, number);
    }

    void longline(const line& current, std::string_view number) {
        long long length = current.column - 1 + static_cast<long long>(withoutlineend(current.text).size());
        if (length > readroom) longtext(current, number, "line", length);
    }

    findingsink& out_;
    blockstate block_;
    std::unordered_set<std::string> decided_;  // the games whose first line taken is known
    long long carry_ = 0;                      // a description's length that runs on into the next piece
};

class mame2003plus final : public dialect {
public:
    std::string_view name() const override { return "mame2003-plus"; }
    bool usual(checkid check) const override { return later::usual(check); }

    linekind classify(const line& current) const override {
        linekind kind;
        if (later::commonkind(current, kind)) return kind;
        std::string_view text = current.text;
        if (startswith(text, commandstart)) return linekind::command;
        if (text[0] == ':') return linekind::cheat;
        // A shortname and at least four fields after it.
        std::size_t colon = text.find(':');
        if (colon == 0 || colon == std::string_view::npos) return linekind::other;
        int colons = 0;
        for (char c : text) colons += c == ':';
        return colons >= 4 ? linekind::oldcheat : linekind::other;
    }

    std::string_view oldlayoutshortname(std::string_view text) const override { return text.substr(0, text.find(':')); }

    std::unique_ptr<linecheck> thirdpass(std::FILE*, findingsink& out, bool) const override {
        return std::make_unique<mame2003plusrules>(out);
    }
};

}  // namespace

const dialect& mame2003plusdialect() {
    static const mame2003plus rules;
    return rules;
}
