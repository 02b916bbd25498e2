#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "text/textstore.h"

constexpr std::size_t titlecapacity = 134;

// The longest shortname an XML or ClrMamePro list may give, in bytes:
// today's emulators use at most 16 characters. A longer one makes the list
// unreadable, so that a name a DTD gives every game by default cannot
// multiply a small file. -listfull names are kept whole however long, as
// a line piece bounds them.
constexpr std::size_t shortnamelimit = 64;

struct gameentry {
    std::string_view shortname;  // whole, however long
    std::string_view title;      // at most titlecapacity characters
    bool hascheats;
    bool titlematches;
};

// The emulator's games. The readers of every list format feed it game by
// game (addgame), then finishgamelist sorts it; from then on `games` holds
// `count` entries in shortname order. Names and titles are kept in large
// blocks that never move, however long the list grows; the table itself
// is made once, when the list is finished.
struct gamelist {
    gamelist() = default;
    gamelist(const gamelist&) = delete;
    gamelist& operator=(const gamelist&) = delete;

    gameentry* games = nullptr;
    int count = 0;

    // The storage behind the table.
    textstore text;
    itemstore<gameentry, 8192> arriving;  // the games before the sort
    std::unique_ptr<gameentry[]> table;
};

// Empties the list for a new one.
void cleargamelist(gamelist& list);

// Adds a game; its title is cut to titlecapacity characters.
void addgame(gamelist& list, std::string_view shortname, std::string_view title);

// Makes the table and sorts it by shortname (equal shortnames by title, so
// the order never depends on the sort or the host).
void finishgamelist(gamelist& list);

// Whether a finished list holds another game of the same shortname as
// game `at` (a list may name one set twice, with two titles).
bool sharesshortname(const gamelist& list, int at);

// Byte-wise order of shortnames as unsigned characters: negative, zero or
// positive, as a standard string comparison gives.
int compare(std::string_view a, std::string_view b);
int compare(const gameentry& a, const gameentry& b);
