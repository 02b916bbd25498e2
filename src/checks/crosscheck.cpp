#include "crosscheck.h"

#include <cstring>
#include <string_view>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"
#include "cheatfile/heldshortname.h"
#include "text/line.h"
#include "cheatfile/linekind.h"
#include "gamewalk.h"

namespace {

// The state of the pass from line to line.
struct crossstate {
    blocktitle title{};
    long long titleline = 0;  // the block's title line, 0 before the first
    heldshortname lastreported;
    long long* firstblocks;
};

void checkcheatline(const line& current, crossstate& state, gamelist& list, gamewalk& walk, report& out) {
    std::string_view text = current.text;
    const blocktitle& title = state.title;
    std::string_view shortname = cheatshortname(text);
    auto readable = static_cast<std::size_t>(text.data() + text.size() - shortname.data());
    int found = findgame(walk, shortname, readable);
    if (found >= 0) {
        gamewalk::marks& marks = walk.marked[found];
        if (!marks.hascheats && state.firstblocks != nullptr) {
            state.firstblocks[found] = state.titleline != 0 ? state.titleline : current.number;
        }
        marks.hascheats = true;
        if (!marks.titlematches && std::string_view(title.text) == list.games[found].title) {
            marks.titlematches = true;
        }
        return;
    }
    if (shortname == state.lastreported.view()) {
        return;
    }
    addpairentry(out, section::unmatchedshortname, shortname, title.text);
    state.lastreported.hold(shortname);
}

void listgames(const gamelist& list, report& out) {
    for (int i = 0; i < list.count; ++i) {
        const gameentry& game = list.games[i];
        if (!game.hascheats) {
            addpairentry(out, section::nocheatentries, game.shortname, game.title);
        }
    }
    for (int i = 0; i < list.count; ++i) {
        const gameentry& game = list.games[i];
        if (game.hascheats && !game.titlematches) {
            addpairentry(out, section::titlemismatch, game.shortname, game.title);
        }
    }
}

}  // namespace

void runcrosscheck(linereader& reader, gamelist& list, report& out, long long* firstblocks) {
    gamewalk walk(list);
    crossstate state;
    state.firstblocks = firstblocks;
    line current;
    while (reader.next(current)) {
        linekind kind = classify(current.text);
        if (kind == linekind::endmarker) {
            break;
        }
        if (kind == linekind::title) {
            takeblocktitle(current.text, state.title);
            state.titleline = current.number;
        } else if (kind == linekind::cheat) {
            checkcheatline(current, state, list, walk, out);
        }
    }
    for (int i = 0; i < list.count; ++i) {
        list.games[i].hascheats = walk.marked[i].hascheats;
        list.games[i].titlematches = walk.marked[i].titlematches;
    }
    listgames(list, out);
}
