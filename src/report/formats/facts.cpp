#include "facts.h"

#include <algorithm>
#include <cstring>

#include <nlohmann/json.hpp>

#include "cheatfile/cheatfields.h"
#include "checks/checktable.h"
#include "text/escaped.h"
#include "text/hexdigits.h"
#include "text/textcollector.h"
#include "text/textcopy.h"
#include "text/utf8.h"

findingspan spanof(const finding& what, const place& where) {
    findingspan span;
    if (where.line.empty()) return span;
    std::string_view piece = what.at != nullptr ? what.at->text : std::string_view();
    std::size_t from = std::min(what.offset, piece.size());
    std::string_view reach;
    switch (what.check) {
        case checkid::nonascii: reach = piece.substr(from, 1); break;
        // The line from where it points: a title line, a cheat line.
        case checkid::titlemismatch:
        case checkid::zerovalue: reach = withoutlineend(piece.substr(from)); break;
        default: reach = withoutlineend(what.text); break;
    }
    span.line = where.physical;
    span.column = where.column;
    span.endcolumn = where.column + static_cast<long long>(reach.size());
    bool ascii = what.at == nullptr || !what.at->highbyte;
    span.charcolumn = where.charsbefore + 1 + (ascii ? static_cast<long long>(from) : codepoints(piece.substr(0, from)));
    // A byte above 0x7F counts as one character, found alone.
    long long reached = ascii || what.check == checkid::nonascii ? static_cast<long long>(reach.size()) : codepoints(reach);
    span.charendcolumn = span.charcolumn + reached;
    return span;
}

namespace {

void quoted(textcollector& out, std::string_view text) {
    out.put('\'');
    putescaped(out, text);
    out.put('\'');
}

}  // namespace

std::string noteof(const finding& what, const emitfile& file) {
    if (what.check != checkid::unlistedshortname || what.titlegames == 0 || file.titles == nullptr) return {};
    textcollector out;
    out.put("the emulator lists ");
    quoted(out, file.list.games[file.titles->game(what.firsttitlegame)].title);
    out.put(" as ");
    int shown = what.titlegames < 3 ? what.titlegames : 3;
    for (int i = 0; i < shown; ++i) {
        if (i > 0) out.put(i + 1 == shown ? " and " : ", ");
        quoted(out, file.list.games[file.titles->game(what.firsttitlegame + i)].shortname);
    }
    return out.text;
}

std::string nocheatentriesmessage(long long games) {
    return std::to_string(games) + (games == 1 ? " listed game has" : " listed games have") + " no cheat entries";
}

bool mayhavefix(checkid check) { return !infoof(check).fixed.empty(); }

fixkey fixkeyof(const finding& what, const place& where) {
    fixkey key{what.check, where.physical, static_cast<std::size_t>(where.column - 1), what.game, what.block, {}};
    if (what.check == checkid::fieldformat) key.field = std::string(withoutlineend(what.text));
    return key;
}

namespace {

bool byblock(const fix* a, const fix* b) { return a->block != b->block ? a->block < b->block : a->physical < b->physical; }
bool bygame(const fix* a, const fix* b) { return a->game < b->game; }
bool byplace(const fix* a, const fix* b) {
    return a->physical != b->physical ? a->physical < b->physical : a->offset < b->offset;
}

fixedit editof(const fix& change, std::string replacement) {
    auto column = static_cast<long long>(change.offset) + 1;
    return {change.physical, column, column + static_cast<long long>(change.length), std::move(replacement)};
}

}  // namespace

fixlookup::fixlookup(const patch* fixes) {
    if (fixes == nullptr) return;
    for (const fix* change : fixes->made()) take(change);
}

void fixlookup::update(const patch& fixes) {
    const itemstore<fix>& all = fixes.gathered();
    for (; taken_ < all.size(); ++taken_) {
        if (fixes.makes(all[taken_])) take(&all[taken_]);
    }
}

// Fixes come nearly in order (pass by pass, line by line): sorted only
// when one breaks it.
void fixlookup::take(const fix* change) {
    auto add = [&](std::vector<const fix*>& into, bool (*before)(const fix*, const fix*)) {
        if (!into.empty() && before(change, into.back())) sorted_ = false;
        into.push_back(change);
    };
    switch (change->check) {
        case checkid::unlistedshortname: add(renames_, byblock); break;
        case checkid::titlemismatch: add(titles_, bygame); break;
        case checkid::fieldformat: add(fields_, byplace); break;
        default: break;
    }
}

bool fixlookup::find(const fixkey& key, findingfix& out) {
    out.edits.clear();
    if (!sorted_) {
        std::stable_sort(renames_.begin(), renames_.end(), byblock);
        std::stable_sort(titles_.begin(), titles_.end(), bygame);
        std::stable_sort(fields_.begin(), fields_.end(), byplace);
        sorted_ = true;
    }
    fix probe{key.check, key.physical, key.offset, 0, {}, false, key.game, key.block};
    switch (key.check) {
        case checkid::unlistedshortname: {
            if (key.block == 0) return false;
            auto [first, last] = std::equal_range(renames_.begin(), renames_.end(), &probe,
                                                  [](const fix* a, const fix* b) { return a->block < b->block; });
            if (first == last) return false;
            out.message = "rename the block's shortname to '" + escaped((*first)->text) + "'";
            for (auto at = first; at != last; ++at) out.edits.push_back(editof(**at, std::string((*at)->text)));
            return true;
        }
        case checkid::titlemismatch: {
            auto [first, last] = std::equal_range(titles_.begin(), titles_.end(), &probe, bygame);
            if (first == last) return false;
            out.message = "write the emulator's title '" + escaped((*first)->text) + "'";
            out.edits.push_back(editof(**first, std::string((*first)->text)));
            return true;
        }
        case checkid::fieldformat: {
            auto [first, last] = std::equal_range(fields_.begin(), fields_.end(), &probe, byplace);
            if (first == last) return false;
            std::string upper = key.field.substr(0, (*first)->length);
            uppercasehex(upper.data(), upper.size());
            out.message = "write the field in upper case: '" + upper + "'";
            out.edits.push_back(editof(**first, upper));
            return true;
        }
        default: return false;
    }
}

void putjsonstring(std::string& out, std::string_view text) {
    out += nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string jsonstring(std::string_view text) {
    std::string out;
    putjsonstring(out, text);
    return out;
}

std::string hexhash(std::uint64_t hash) {
    std::string digits;
    for (int shift = 60; shift >= 0; shift -= 4) digits += hexdigitchars[(hash >> shift) & 0xF];
    return digits;
}

// As concise keeps them: the check, the field and a short text.
bool keptmessages::keyof(const finding& what, std::uint64_t* key) {
    if (!infoof(what.check).bytext || what.text.size() > 13) return false;
    char* bytes = reinterpret_cast<char*>(key);
    bytes[0] = static_cast<char>(1 + static_cast<int>(what.check));
    bytes[1] = static_cast<char>(what.field);
    bytes[2] = static_cast<char>(what.text.size());
    std::memcpy(bytes + 3, what.text.data(), what.text.size());
    return true;
}
