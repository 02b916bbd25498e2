#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checks/finding.h"
#include "checks/messages.h"
#include "report/emitter.h"
#include "report/patch.h"

// What the formats other than concise say of a finding, made in one place
// so that they agree with each other and with concise.

// Where a finding stands and how far it reaches: bytes from 1 as concise
// counts them, and the same in characters (a byte that is not UTF-8 counts
// as one). The end is the column after the last byte; a missing field
// reaches nowhere (end equals start). All 0 for a finding about no line.
struct findingspan {
    long long line = 0, column = 0, endcolumn = 0;
    long long charcolumn = 0, charendcolumn = 0;
};
findingspan spanof(const finding& what, const place& where);

// The message as concise writes it, without " [CHECK]", is
// messageof(what, true) of checks/messages.h.

// The note concise writes after an unlisted shortname: the listed games
// that carry its block's title. Empty where there is none.
std::string noteof(const finding& what, const emitfile& file);
// The closing note's message.
std::string nocheatentriesmessage(long long games);

// What finds the fix of a finding once the file's fixes are known: the
// block of a rename, the game of a title, the field of an upper-casing
// (with its bytes, which the fix upper-cases).
struct fixkey {
    checkid check;
    long long physical;
    std::size_t offset;
    int game;
    long long block;
    std::string field;
};
// Whether the check's findings may have a fix.
bool mayhavefix(checkid check);
fixkey fixkeyof(const finding& what, const place& where);

struct fixedit {
    long long line, column, endcolumn;  // bytes from 1, the end after the last
    std::string replacement;
};
struct findingfix {
    std::string message;
    std::vector<fixedit> edits;  // a rename changes every line of its block
};

// The fixes of one file made (patch::made), sorted for finding them by
// the key of their finding.
class fixlookup {
public:
    fixlookup() = default;
    explicit fixlookup(const patch* fixes);
    // Takes the fixes gathered since the last call, where nothing hides one.
    void update(const patch& fixes);
    // False where the finding has no fix.
    bool find(const fixkey& key, findingfix& out);

private:
    void take(const fix* change);
    std::vector<const fix*> renames_, titles_, fields_;
    std::size_t taken_ = 0;  // of patch::gathered
    bool sorted_ = true;
};

// A string as JSON writes it, quotes and all: nlohmann/json's escaping,
// a byte that is not UTF-8 made U+FFFD.
void putjsonstring(std::string& out, std::string_view text);
std::string jsonstring(std::string_view text);

// The 16 hexadecimal digits of a 64-bit hash.
std::string hexhash(std::uint64_t hash);

// Messages made once for the words they say, as concise keeps them: a big
// file says the same few again and again. Kept as `shape` makes them of
// the message (escaped, say).
class keptmessages {
public:
    template <class make>
    const std::string& get(const finding& what, make shape) {
        std::uint64_t key[2] = {0, 0};
        if (!keyof(what, key)) {
            other_ = shape(messageof(what, true));
            return other_;
        }
        kept& slot = kept_[(key[0] * 0x9E3779B97F4A7C15ULL ^ key[1]) % count];
        if (slot.key[0] != key[0] || slot.key[1] != key[1]) {
            slot.key[0] = key[0];
            slot.key[1] = key[1];
            slot.message = shape(messageof(what, true));
        }
        return slot.message;
    }

private:
    static bool keyof(const finding& what, std::uint64_t* key);
    struct kept {
        std::uint64_t key[2] = {0, 0};
        std::string message;
    };
    static constexpr std::size_t count = 61;
    kept kept_[count];
    std::string other_;
};
