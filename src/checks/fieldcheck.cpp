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

// Tells of each rule the line fails, in the order of the rules.
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
    for (const linerule& rule : linerules) {
        if ((failed & rule.bit) == 0) continue;
        fieldid field = rule.field;
        f.other = {};
        f.setat = 0;
        if (rule.bit == failure::shortname) {
            f.other = block.reference.view();
            f.setat = block.setat;
        } else if (rule.bit == failure::unneededfields) {
            // About the first of them that is not zero.
            field = checked.value(fieldid::address).value > 0 ? fieldid::address
                    : checked.value(fieldid::data).value > 0  ? fieldid::data
                                                               : fieldid::extended;
            f.other = checked.value(fieldid::type).text;
        }
        std::string_view text = field == fieldid::none        ? current.text.substr(0, 0)
                                : field == fieldid::shortname ? checked.shortname
                                                              : checked.value(field).text;
        f.check = rule.check;
        f.field = field;
        f.text = text;
        f.offset = std::min(static_cast<std::size_t>(text.data() - start), lineend);
        out.found(f);
    }
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
        checkedline checked = checkfields(current.text);
        unsigned failed = checked.failed | (shortnamepasses(checked.shortname, current, block) ? 0 : failure::shortname);
        if (failed != 0) tell(current, linenumber.text(), checked, failed, block, out);
        if (fixes && (failed & failure::fields) != 0) {
            lowercasefixes(current, checked, failed, out);
        }
    }
}
