#include "fieldcheck.h"

#include <cstdint>
#include <string_view>

#include "cheatfile/cheatfields.h"
#include "cheatfile/heldshortname.h"
#include "cheatfile/line.h"
#include "cheatfile/linecounter.h"
#include "cheatfile/linekind.h"
#include "hexfield.h"

namespace {

// The first cheat line after a title line sets the shortname that the rest
// of the block must repeat.
struct blockstate {
    bool newblock = false;
    heldshortname reference;
};

bool shortnamepasses(std::string_view shortname, blockstate& block) {
    if (block.newblock) {
        block.newblock = false;
        block.reference.hold(shortname);
        return true;
    }
    return shortname == block.reference.view();
}

// Types 60 and 62 use no address, data or extended value; the two
// characters count as written, even when the type field failed its check.
bool isunusedfieldstype(std::string_view type) {
    return type.size() >= 2 && type[0] == '6' && (type[1] == '0' || type[1] == '2');
}

void checkcheatline(std::string_view text, const linecounter& linenumber, blockstate& block, report& out) {
    constexpr std::size_t anylength = linecapacity;  // an address has no upper limit
    const char* c = text.data();
    const char* end = c + text.size();
    std::string_view shortname = nextfield(c, end);
    checkedfield type = readfield(c, end, 8, 8);
    checkedfield address = readfield(c, end, 4, anylength);
    checkedfield data = readfield(c, end, 8, 8);
    checkedfield extended = readfield(c, end, 8, 8);

    unsigned checks = checkbit::unneededfields | checkbit::mask | checkbit::zero;
    if (shortnamepasses(shortname, block)) checks |= checkbit::shortname;
    if (type.passed) checks |= checkbit::type;
    if (address.passed) checks |= checkbit::address;
    if (data.passed) checks |= checkbit::data;
    if (extended.passed) checks |= checkbit::extended;

    bool unusedfieldstype = isunusedfieldstype(type.text);
    if (unusedfieldstype && (address.value > 0 || data.value > 0 || extended.value > 0)) {
        checks &= ~checkbit::unneededfields;
    }
    if (extended.value == 0xFF || extended.value == 0xFFFF || extended.value == 0xFFFFFF) {
        checks &= ~checkbit::mask;
    }
    if (!unusedfieldstype && (type.value & 0x00080000) == 0 &&
        (address.value == 0 || extended.value == 0)) {
        checks &= ~checkbit::zero;
    }

    constexpr unsigned resultschecks = 0x7F;  // all but the zero rule
    if ((checks & resultschecks) != resultschecks) {
        addfieldissue(out, linenumber.text(), checks, text);
    }
    if ((checks & checkbit::zero) == 0) {
        addwarningentry(out, linenumber.text(), text);
    }
}

}  // namespace

void runfieldcheck(linereader& reader, report& out) {
    blockstate block;
    linecounter linenumber;
    line current;
    while (reader.next(current)) {
        linenumber.advance();
        linekind kind = classify(current.text);
        if (kind == linekind::endmarker) {
            break;
        }
        if (kind == linekind::title) {
            block.newblock = true;
        } else if (kind == linekind::cheat) {
            checkcheatline(current.text, linenumber, block, out);
        }
    }
}
