#include "fieldcheck.h"

#include <cstdint>
#include <string_view>

#include "cheatfile/cheatfields.h"
#include "cheatfile/heldshortname.h"
#include "text/line.h"
#include "text/linecounter.h"
#include "cheatfile/linekind.h"
#include "diagnosticpass.h"
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

// A cheat line's fields and the checks they pass: a set bit is a check passed.
struct checkedline {
    std::string_view shortname;
    checkedfield type, address, data, extended;
    unsigned checks;
};

constexpr unsigned resultschecks = 0x7F;  // all but the zero rule

checkedline checkcheatline(std::string_view text, blockstate& block) {
    constexpr std::size_t anylength = linecapacity;  // an address has no upper limit
    const char* c = text.data();
    const char* end = c + text.size();
    checkedline line;
    line.shortname = nextfield(c, end);
    line.type = readfield(c, end, 8, 8);
    line.address = readfield(c, end, 4, anylength);
    line.data = readfield(c, end, 8, 8);
    line.extended = readfield(c, end, 8, 8);
    const checkedfield& type = line.type;
    const checkedfield& address = line.address;
    const checkedfield& data = line.data;
    const checkedfield& extended = line.extended;

    unsigned checks = checkbit::unneededfields | checkbit::mask | checkbit::zero;
    if (shortnamepasses(line.shortname, block)) checks |= checkbit::shortname;
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
    line.checks = checks;
    return line;
}

// The first field in the line that a failed check is about. Unneeded
// fields are about the first of them that is not zero.
const char* firstfailed(const checkedline& line) {
    const checkedfield& unneeded = line.address.value > 0 ? line.address
                                   : line.data.value > 0  ? line.data
                                                          : line.extended;
    const struct {
        unsigned bit;
        const char* field;
    } about[] = {
        {checkbit::shortname, line.shortname.data()}, {checkbit::type, line.type.text.data()},
        {checkbit::address, line.address.text.data()}, {checkbit::data, line.data.text.data()},
        {checkbit::extended, line.extended.text.data()}, {checkbit::unneededfields, unneeded.text.data()},
        {checkbit::mask, line.extended.text.data()},
    };
    const char* first = nullptr;
    for (const auto& check : about) {
        if ((line.checks & check.bit) == 0 && (first == nullptr || check.field < first)) first = check.field;
    }
    return first;
}

}  // namespace

void runfieldcheck(linereader& reader, report& out, diagnosticpass* diagnosis) {
    blockstate block;
    linecounter linenumber;
    line current;
    while (reader.next(current)) {
        linenumber.advance();
        linekind kind = classify(current.text);
        if (diagnosis != nullptr) diagnosis->online(current, kind);
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
        checkedline checked = checkcheatline(current.text, block);
        if (diagnosis != nullptr) diagnosis->oncheatline(current.text, checked.shortname);
        if ((checked.checks & resultschecks) != resultschecks) {
            addfieldissue(out, linenumber.text(), checked.checks, current.text);
            if (diagnosis != nullptr) diagnosis->onfieldissue(checked.checks, firstfailed(checked));
        }
        if ((checked.checks & checkbit::zero) == 0) {
            addwarningentry(out, linenumber.text(), current.text);
            if (diagnosis != nullptr) diagnosis->onwarning();
        }
    }
    if (diagnosis != nullptr) diagnosis->finish(reader);
}
