#include "checktable.h"

const checkinfo checktable[checkcount] = {
    {checkid::unlistedshortname, "unlisted-shortname", severity::error, section::unmatchedshortname,
     "shortname not in the game list: renamed or gone"},
    {checkid::nocheatentries, "no-cheat-entries", severity::note, section::nocheatentries,
     "listed game with no cheats: a list, not a fault"},
    {checkid::titlemismatch, "title-mismatch", severity::error, section::titlemismatch,
     "no block of a game carries the emulator's title"},
    {checkid::nonascii, "non-ascii", severity::error, section::illegalcharacters,
     "a byte above 0x7F, which old emulators misread"},
    {checkid::shortnamemismatch, "shortname-mismatch", severity::error, section::fieldissues,
     "shortname differs from its block's first line"},
    {checkid::fieldformat, "field-format", severity::error, section::fieldissues,
     "field not 8 upper-case hex digits (address 4+)"},
    {checkid::unneededfields, "unneeded-fields", severity::error, section::fieldissues,
     "type 60 or 62 with a non-zero value elsewhere"},
    {checkid::suspectmask, "suspect-mask", severity::error, section::fieldissues,
     "mask FF/FFFF/FFFFFF: usual in later files, noise"},
    {checkid::zerovalue, "zero-value", severity::warning, section::warnings,
     "zero address or mask: worth a look, often right"},
};

const checkinfo* findcheck(std::string_view name) {
    for (const checkinfo& check : checktable) {
        if (check.name == name) return &check;
    }
    return nullptr;
}

std::string_view severityname(severity level) {
    switch (level) {
        case severity::error: return "error";
        case severity::warning: return "warning";
        case severity::note: return "note";
    }
    return "";
}
