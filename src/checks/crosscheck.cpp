#include "crosscheck.h"

#include <memory>
#include <string_view>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"
#include "cheatfile/heldshortname.h"
#include "cheatfile/linekind.h"
#include "gamewalk.h"

namespace {

// The state of the pass from line to line.
struct crossstate {
    blocktitle title{};
    long long titleline = 0;  // the block's title line, 0 before the first
    heldshortname lastreported;
    const titleindex* titles;
    std::unique_ptr<long long[]> firstblocks;  // the line opening each game's first block
};

void checkcheatline(const line& current, crossstate& state, const gamelist& list, gamewalk& walk,
                    findingsink& out) {
    std::string_view text = current.text;
    std::string_view shortname = cheatshortname(text);
    auto readable = static_cast<std::size_t>(text.data() + text.size() - shortname.data());
    int found = findgame(walk, shortname, readable);
    if (found >= 0) {
        gamewalk::marks& marks = walk.marked[found];
        if (!marks.hascheats) state.firstblocks[found] = state.titleline != 0 ? state.titleline : current.number;
        marks.hascheats = true;
        if (!marks.titlematches && std::string_view(state.title.text) == list.games[found].title) {
            marks.titlematches = true;
        }
        return;
    }
    // Told once until another unlisted shortname comes.
    if (shortname == state.lastreported.view()) {
        return;
    }
    state.lastreported.hold(shortname);
    finding unlisted{checkid::unlistedshortname};
    unlisted.at = &current;
    unlisted.piece = current.number;
    unlisted.offset = static_cast<std::size_t>(shortname.data() - text.data());
    unlisted.text = shortname;
    unlisted.other = state.title.text;
    if (state.titles != nullptr && !isnameless(shortname)) {
        titleindex::range carrying = state.titles->carrying(state.title.text);
        unlisted.firsttitlegame = carrying.first;
        unlisted.titlegames = carrying.count;
    }
    out.found(unlisted);
}

void tellgames(const gamelist& list, const long long* firstblocks, findingsink& out) {
    for (int i = 0; i < list.count; ++i) {
        const gameentry& game = list.games[i];
        if (!game.hascheats) {
            finding without{checkid::nocheatentries};
            without.game = i;
            without.text = game.shortname;
            without.other = game.title;
            out.found(without);
        }
    }
    for (int i = 0; i < list.count; ++i) {
        const gameentry& game = list.games[i];
        if (game.hascheats && !game.titlematches) {
            finding mismatch{checkid::titlemismatch};
            mismatch.game = i;
            mismatch.piece = firstblocks[i];
            mismatch.text = game.shortname;
            mismatch.other = game.title;
            out.found(mismatch);
        }
    }
}

}  // namespace

void runcrosscheck(linereader& reader, gamelist& list, findingsink& out, const titleindex* titles) {
    gamewalk walk(list);
    crossstate state;
    state.titles = titles;
    state.firstblocks = std::make_unique<long long[]>(static_cast<std::size_t>(list.count));
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
    tellgames(list, state.firstblocks.get(), out);
}
