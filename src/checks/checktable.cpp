#include "checktable.h"

#include "messages.h"

// One row a check, in the order of checkid.
const checkinfo checktable[checkcount] = {
    {checkid::unlistedshortname, "unlisted-shortname", severity::error, section::unmatchedshortname, true,
     unlistedshortnamemessage, "shortname not in the game list: renamed or gone",
     "The emulator loads a game's cheats by its shortname. A name it does not list is a game it has renamed or "
     "dropped, or a typing slip: those cheats are never loaded.",
     "; [ Baraduke ]\n:baraduka:00000000:1234:00000001:FFFFFFFF:Infinite Lives",
     "; [ Baraduke ]\n:baraduke:00000000:1234:00000001:FFFFFFFF:Infinite Lives",
     "Rename the lines to the game's listed shortname, or remove the block if the game is gone. The fix renames "
     "a block whose title exactly one listed game carries."},
    {checkid::nocheatentries, "no-cheat-entries", severity::note, section::nocheatentries, false,
     nocheatentriesmessage, "listed game with no cheats: a list, not a fault",
     "A list of the games the cheat file has nothing for, which any real game list fills; never a fault.",
     "", "", "Nothing to fix: write cheats for the game if you like."},
    {checkid::titlemismatch, "title-mismatch", severity::error, section::titlemismatch, true,
     titlemismatchmessage, "no block of a game carries the emulator's title",
     "The title line names the game for the person who reads the file; one that no longer matches the "
     "emulator's title points at a renamed set or a block under the wrong game.",
     "; [ Donkey Kong ]\n:dkong:00000000:6228:00000003:FFFFFFFF:Infinite Lives",
     "; [ Donkey Kong (US set 1) ]\n:dkong:00000000:6228:00000003:FFFFFFFF:Infinite Lives",
     "Write the emulator's title between '; [ ' and ' ]'. The fix does so for a title line of that form."},
    {checkid::nonascii, "non-ascii", severity::error, section::illegalcharacters, true, nonasciimessage,
     "a byte above 0x7F, which old emulators misread",
     "The emulators that read this format take a cheat file as 7-bit text: an accented letter or a UTF-8 "
     "character can show as garbage or break the line it stands on.",
     ":galaga:00000000:9820:00000003:FFFFFFFF:Vies infinies \xC3\xA9", "",
     "Write the text in plain ASCII (e for \xC3\xA9, say)."},
    {checkid::shortnamemismatch, "shortname-mismatch", severity::error, section::fieldissues, true,
     shortnamemismatchmessage, "shortname differs from its block's first line",
     "A block holds one game's cheats; a line naming another game is a line pasted into the wrong block, or a "
     "typing slip that leaves the cheat with the wrong game.",
     "; [ Pac-Man (Midway) ]\n:pacman:00000000:4E14:00000003:FFFFFFFF:Infinite Lives\n"
     ":pacmna:00000000:4E15:00000001:FFFFFFFF:Invincibility",
     "", "Give the line its block's shortname, or move it under the title of its own game."},
    {checkid::fieldformat, "field-format", severity::error, section::fieldissues, true, fieldformatmessage,
     "field not 8 upper-case hex digits (address 4+)",
     "Type, data and extended fields are eight hexadecimal digits, the address four or more; the emulator reads a "
     "field of another size or with other characters as another value, or drops the line.",
     ":qbert:00000000:0d01:0000000F:FFFFFFFF:Infinite Lives", ":qbert:00000000:0D01:0000000F:FFFFFFFF:Infinite Lives",
     "Write the field in upper-case hexadecimal digits of its size. The fix upper-cases a field whose only fault "
     "is lower case."},
    {checkid::unneededfields, "unneeded-fields", severity::error, section::fieldissues, true,
     unneededfieldsmessage, "type 60 or 62 with a non-zero value elsewhere",
     "Types 60 and 62 (a comment or a separator in the cheat menu) use no address, data or extended value; one "
     "that is set means the type or the values are wrong.",
     ":zaxxon:60000000:0000:00000000:00000001:Cheats", "",
     "Set address, data and extended to zero, or give the line the type its values need."},
    {checkid::suspectmask, "suspect-mask", severity::error, section::fieldissues, false, suspectmaskmessage,
     "mask FF/FFFF/FFFFFF: usual in later files, noise",
     "An extended mask of FF, FFFF or FFFFFF was once a sign of a mistyped mask; later cheat files use the byte and "
     "word masks on purpose, so most of these are right.",
     ":pacman:00000000:4E14:00000003:0000FFFF:Infinite Lives", "",
     "Check the mask against the cheat's data width; leave it if it is meant."},
    {checkid::zerovalue, "zero-value", severity::warning, section::warnings, true, zerovaluemessage,
     "zero address or mask: worth a look, often right",
     "An address or a mask of zero is often a field left unfilled; it is also often right, so it is only a "
     "warning.",
     ":digdug:00000000:0000:00000003:FFFFFFFF:Infinite Lives", "",
     "Look at the cheat: fill in the address or mask if it was left out."},
};

// The rows must stand in the order of checkid: infoof indexes by it.
static_assert(sizeof checktable / sizeof checktable[0] == checkcount);

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

std::size_t checknamewidth() {
    std::size_t width = 0;
    for (const checkinfo& check : checktable) width = check.name.size() > width ? check.name.size() : width;
    return width;
}
