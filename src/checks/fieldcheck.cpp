#include "fieldcheck.h"

#include <algorithm>
#include <string_view>

#include "cheatfile/heldshortname.h"
#include "cheatfile/linekind.h"
#include "cheatline.h"
#include "fieldfailure.h"
#include "lowercasefix.h"
#include "text/linecounter.h"

bool shortnamepasses(std::string_view shortname, const line& current, blockstate& block) {
    if (block.newblock) {
        block.newblock = false;
        block.reference.hold(shortname);
        block.setat = current.physical;
        return true;
    }
    return shortname == block.reference.view();
}

void tellfailures(const line& current, std::string_view number, const checkedline& checked, unsigned failed,
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

void runfieldcheck(linereader& reader, findingsink& out, bool fixes, const dialect& rules, std::FILE* cheatfile) {
    if (!rules.plain()) {
        std::unique_ptr<linecheck> checker = rules.thirdpass(cheatfile, out, fixes);
        linecounter linenumber;
        line current;
        while (reader.next(current)) {
            linenumber.advance();
            linekind kind = rules.classify(current);
            out.reading(current, kind);
            checker->check(current, kind, linenumber.text());
        }
        return;
    }
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
        if (failed != 0) tellfailures(current, linenumber.text(), checked, failed, block, out);
        if (fixes && (failed & failure::fields) != 0) {
            lowercasefixes(current, checked, failed, out);
        }
    }
}
