#include "fieldcheck.h"

#include <algorithm>
#include <string_view>

#include "cheatfile/heldshortname.h"
#include "cheatfile/linekind.h"
#include "cheatline.h"
#include "fieldfailure.h"
#include "lowercasefix.h"
#include "text/linecounter.h"

namespace {

// The first cheat line after a title line sets the shortname that the rest
// of the block must repeat.
struct blockstate {
    bool newblock = false;
    heldshortname reference;
    long long setat = 0;  // the physical line that set it
};

bool shortnamepasses(std::string_view shortname, const line& current, blockstate& block) {
    if (block.newblock) {
        block.newblock = false;
        block.reference.hold(shortname);
        block.setat = current.physical;
        return true;
    }
    return shortname == block.reference.view();
}

// Tells of each rule the line fails, in the order of its fields.
void tell(const line& current, std::string_view number, const checkedline& checked, unsigned failed,
          const blockstate& block, findingsink& out) {
    const char* start = current.text.data();
    // One finding, told again for each rule with what differs.
    finding f{checkid::shortnamemismatch};
    f.at = &current;
    f.piece = current.number;
    f.number = number;
    f.failed = failed;
    // A missing field is at the line's end: its line feed, if it has one.
    std::size_t lineend = current.text.size() - (!current.text.empty() && current.text.back() == '\n' ? 1 : 0);
    auto about = [&](checkid check, fieldid field, std::string_view text) {
        f.check = check;
        f.field = field;
        f.text = text;
        f.offset = std::min(static_cast<std::size_t>(text.data() - start), lineend);
        out.found(f);
    };
    if ((failed & failure::shortname) != 0) {
        f.other = block.reference.view();
        f.setat = block.setat;
        about(checkid::shortnamemismatch, fieldid::shortname, checked.shortname);
        f.other = {};
        f.setat = 0;
    }
    const struct {
        unsigned bit;
        fieldid field;
        const checkedfield& checked;
    } fields[] = {
        {failure::type, fieldid::type, checked.type},
        {failure::address, fieldid::address, checked.address},
        {failure::data, fieldid::data, checked.data},
        {failure::extended, fieldid::extended, checked.extended},
    };
    for (const auto& field : fields) {
        if ((failed & field.bit) != 0) about(checkid::fieldformat, field.field, field.checked.text);
    }
    if ((failed & failure::unneededfields) != 0) {
        // About the first of them that is not zero.
        const auto& unneeded = checked.address.value > 0 ? fields[1] : checked.data.value > 0 ? fields[2] : fields[3];
        f.other = checked.type.text;
        about(checkid::unneededfields, unneeded.field, unneeded.checked.text);
        f.other = {};
    }
    if ((failed & failure::mask) != 0) about(checkid::suspectmask, fieldid::extended, checked.extended.text);
    if ((failed & failure::zero) != 0) about(checkid::zerovalue, fieldid::none, current.text.substr(0, 0));
}

}  // namespace

void runfieldcheck(linereader& reader, findingsink& out, bool fixes) {
    blockstate block;
    linecounter linenumber;
    line current;
    while (reader.next(current)) {
        linenumber.advance();
        linekind kind = classify(current.text);
        out.reading(current, kind);
        if (kind == linekind::endmarker) {
            break;
        }
        if (kind == linekind::title) {
            block.newblock = true;
            continue;
        }
        if (kind != linekind::cheat) {
            continue;
        }
        checkedline checked = checkcheatline(current.text);
        unsigned failed = checked.failed | (shortnamepasses(checked.shortname, current, block) ? 0 : failure::shortname);
        if (failed != 0) tell(current, linenumber.text(), checked, failed, block, out);
        if (fixes && (failed & (failure::type | failure::address | failure::data | failure::extended)) != 0) {
            lowercasefixes(current, checked, failed, out);
        }
    }
}
