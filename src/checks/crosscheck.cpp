#include "crosscheck.h"

#include <memory>
#include <string_view>

#include "cheatfile/blocktitle.h"
#include "cheatfile/cheatfields.h"
#include "cheatfile/heldshortname.h"
#include "cheatfile/linekind.h"
#include "cheatfile/titleline.h"
#include "gamewalk.h"
#include "text/textstore.h"

namespace {

// The most a line may hold, its line feed left out, and still be read
// whole: only such lines are fixed, and only so that they stay such.
constexpr std::size_t wholeline = linecapacity - 1;

std::size_t contentlength(const line& current) {
    return current.text.size() - (current.endsline ? 1 : 0);
}

// Text that can stand in a title line or a cheat line's shortname field
// and be read back as it is: printable ASCII, and no colon for a name.
bool isplain(std::string_view text, bool name) {
    for (char c : text) {
        if (c < 0x20 || c > 0x7E || (name && (c == ':' || c == ' '))) return false;
    }
    return !text.empty();
}

// What a block may have fixed: its title, when every cheat line of it
// names one listed game whose title never matched.
struct blockfix {
    bool usual = false;      // its title line is "; [ TITLE ]", whole
    long long physical = 0;  // that line
    std::size_t offset = 0;  // TITLE's place in it
    std::size_t length = 0;
    int game = -2;           // the one listed game its lines name; -2 none yet, -1 not one
};

// The state of the pass from line to line.
struct crossstate {
    blocktitle title{};
    long long titleline = 0;  // the block's title line, 0 before the first
    heldshortname lastreported;
    const titleindex* titles;
    bool fixes;
    blockfix block;
    // The block's renames, made only if every line that carries an unlisted
    // shortname can take one: a line left with the old name would differ
    // from the renamed ones.
    itemstore<fix> renames;
    bool renameblocked = false;
    std::unique_ptr<long long[]> firstblocks;  // the line opening each game's first block
};

void closeblock(crossstate& state, const gamelist& list, findingsink& out) {
    if (!state.fixes) return;
    for (std::size_t i = 0; !state.renameblocked && i < state.renames.size(); ++i) out.fixable(state.renames[i]);
    state.renames.clear();
    state.renameblocked = false;
    const blockfix& block = state.block;
    // A shortname listed with several titles makes no title certain.
    if (block.usual && block.game >= 0 && !sharesshortname(list, block.game)) {
        std::string_view title = list.games[block.game].title;
        std::size_t frame = usualopening.size() + usualclosing.size();
        if (isplain(title, false) && frame + title.size() <= wholeline) {
            out.fixable({checkid::titlemismatch, block.physical, block.offset, block.length, title, false, block.game});
        }
    }
    state.block = {};
}

void openblock(const line& current, crossstate& state) {
    if (!state.fixes) return;
    blockfix& block = state.block;
    std::string_view text = current.text.substr(0, contentlength(current));
    block.usual = iswhole(current) && findusualtitle(text, block.offset, block.length);
    block.physical = current.physical;
}

// A listed game whose title the block carries, and no other: an unlisted
// shortname of the block becomes its shortname, after any leader the
// list's names drop.
void renamefix(const line& current, std::string_view shortname, crossstate& state, const gamelist& list,
               const dialect* rules) {
    if (!state.fixes || state.titleline == 0) return;
    if (rules != nullptr) shortname.remove_prefix(rules->unlistedleader(list, shortname));
    if (isnameless(shortname)) return;
    titleindex::range carrying = state.titles->carrying(state.title.text);
    if (carrying.count != 1) return;
    std::string_view name = list.games[state.titles->game(carrying.first)].shortname;
    // A name alone on its line is read with the line's end, so no new name
    // makes it listed; a fix never touches a line's end.
    if (!isplain(name, true) || !iswhole(current) || endsline(shortname) ||
        contentlength(current) - shortname.size() + name.size() > wholeline) {
        state.renameblocked = true;
        return;
    }
    auto offset = static_cast<std::size_t>(shortname.data() - current.text.data());
    state.renames.add({checkid::unlistedshortname, current.physical, offset, shortname.size(), name, false, -1,
                       state.titleline});
}

void crosscheckline(const line& current, crossstate& state, const gamelist& list, gamewalk& walk,
                    findingsink& out, const dialect* rules, linekind kind) {
    std::string_view text = current.text;
    bool old = rules != nullptr && kind == linekind::oldcheat;
    std::string_view shortname = old ? rules->oldlayoutshortname(text) : cheatshortname(text);
    auto readable = static_cast<std::size_t>(text.data() + text.size() - shortname.data());
    int found = rules == nullptr ? findgame(walk, shortname, readable) : rules->findlisted(walk, shortname, readable);
    if (state.fixes) {
        blockfix& block = state.block;
        block.game = block.game == -2 || block.game == found ? found : -1;
        if (found < 0) renamefix(current, shortname, state, list, rules);
    }
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
    unlisted.block = state.titleline;
    // A name alone on its line lacks its fields, whatever it is called.
    if (state.titles != nullptr && !isnameless(shortname) && !endsline(shortname)) {
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

void runcrosscheck(linereader& reader, gamelist& list, findingsink& out, const titleindex* titles, bool fixes,
                   const dialect& rules) {
    const dialect* other = rules.plain() ? nullptr : &rules;  // none: the classic way
    gamewalk walk(list);
    crossstate state;
    state.titles = titles;
    state.fixes = fixes && titles != nullptr;
    state.firstblocks = std::make_unique<long long[]>(static_cast<std::size_t>(list.count));
    line current;
    while (reader.next(current)) {
        linekind kind = other == nullptr ? classify(current.text) : other->classify(current);
        if (kind == linekind::endmarker) {
            break;
        }
        if (kind == linekind::title) {
            closeblock(state, list, out);
            takeblocktitle(current.text, state.title);
            state.titleline = current.number;
            openblock(current, state);
        } else if (kind == linekind::cheat || kind == linekind::oldcheat) {
            crosscheckline(current, state, list, walk, out, other, kind);
        }
    }
    closeblock(state, list, out);
    for (int i = 0; i < list.count; ++i) {
        list.games[i].hascheats = walk.marked[i].hascheats;
        list.games[i].titlematches = walk.marked[i].titlematches;
    }
    tellgames(list, state.firstblocks.get(), out);
}
