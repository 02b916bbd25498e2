#include "checktable.h"

#include "cheatfile/cheatfields.h"
#include "cheatfile/fieldtable.h"
#include "finding.h"
#include "messages.h"
#include "text/escaped.h"
#include "text/hexdigits.h"

// Messages quote names and titles from the files as they are, but for
// control characters, written \xNN, so that a message is always one line.

namespace {

void quoted(textcollector& out, std::string_view text) {
    out.put('\'');
    putescaped(out, text);
    out.put('\'');
}

// A cheat line of a shortname and its line end, and nothing more.
void putalone(textcollector& out, std::string_view shortname) {
    out.put("the cheat line holds only its shortname ");
    quoted(out, withoutlineend(shortname));
}

// What is wrong with a field as a dialect reads it.
void putdialectfield(textcollector& out, fieldid field, std::string_view content) {
    switch (field) {
        case fieldid::cpu: out.put(" is not a decimal number"); return;
        case fieldid::oldtype: out.put(" is not a type code the emulator knows"); return;
        case fieldid::snescode: out.put(" is neither a Game Genie code XXXX-XXXX nor 8 hexadecimal digits"); return;
        case fieldid::nescode: break;
        default: out.put(" is not hexadecimal"); return;
    }
    std::size_t upper = 0, lower = 0;
    for (char c : content) {
        char up = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        if (std::string_view("APZLGITYEOXUKSVN").find(up) == std::string_view::npos) {
            out.put(" holds '");
            putescaped(out, std::string_view(&c, 1));
            out.put("', no Game Genie letter");
            return;
        }
        (c == up ? upper : lower) += 1;
    }
    if (content.size() != 6 && content.size() != 8) {
        out.put(" has ");
        out.putnumber(static_cast<long long>(content.size()));
        out.put(" letters, not 6 or 8");
    } else if (upper != 0 && lower != 0) {
        out.put(" mixes upper and lower case");
    }
}

// The place of a line the message names, where it may.
void putline(textcollector& out, long long line, bool withlines) {
    if (!withlines || line == 0) return;
    out.put(" (line ");
    out.putnumber(line);
    out.put(")");
}

}  // namespace

// One row a check, in the order of checkid.
const checkinfo checktable[checkcount] = {
    {
        checkid::unlistedshortname, "unlisted-shortname", severity::error, section::unmatchedshortname, true,
        [](textcollector& out, const finding& what, bool) {
            if (isnameless(what.text)) {
                out.put("the cheat line has no shortname");
            } else if (endsline(what.text)) {
                putalone(out, what.text);
                out.put(", which taken with the line's end is not in the emulator's game list");
            } else {
                out.put("shortname ");
                quoted(out, what.text);
                out.put(" is not in the emulator's game list");
            }
        },
        false,
        "shortname not in the game list: renamed or gone",
        "The emulator loads a game's cheats by its shortname. A name it does not list is a game it has renamed "
        "or dropped, or a typing slip: those cheats are never loaded.",
        "; [ Baraduke ]\n:baraduka:00000000:1234:00000001:FFFFFFFF:Infinite Lives",
        "; [ Baraduke ]\n:baraduke:00000000:1234:00000001:FFFFFFFF:Infinite Lives",
        "Rename the lines to the game's listed shortname, or remove the block if the game is gone. The fix "
        "renames the lines of a block whose title exactly one listed game carries.",
    },
    {
        checkid::nocheatentries, "no-cheat-entries", severity::note, section::nocheatentries, false,
        [](textcollector& out, const finding& what, bool) {
            out.put("listed game ");
            quoted(out, what.text);
            out.put(" has no cheat entries");
        },
        false,
        "listed game with no cheats: a list, not a fault",
        "A list of the games the cheat file has nothing for, which any real game list fills; never a fault.",
        "",
        "",
        "Nothing to fix: write cheats for the game if you like.",
    },
    {
        checkid::titlemismatch, "title-mismatch", severity::error, section::titlemismatch, true,
        [](textcollector& out, const finding& what, bool) {
            out.put("title ");
            quoted(out, what.blocktitle);
            out.put(" differs from the emulator's title ");
            quoted(out, what.other);
            out.put(" of ");
            quoted(out, what.text);
        },
        false,
        "no block of a game carries the emulator's title",
        "The title line names the game for the person who reads the file; one that no longer matches the "
        "emulator's title points at a renamed set or a block under the wrong game.",
        "; [ Donkey Kong ]\n:dkong:00000000:6228:00000003:FFFFFFFF:Infinite Lives",
        "; [ Donkey Kong (US set 1) ]\n:dkong:00000000:6228:00000003:FFFFFFFF:Infinite Lives",
        "Write the emulator's title between '; [ ' and ' ]'. The fix does so for a title line of that form.",
    },
    {
        checkid::nonascii, "non-ascii", severity::error, section::illegalcharacters, true,
        [](textcollector& out, const finding& what, bool) {
            auto byte = static_cast<unsigned char>(what.text.empty() ? what.at->text[what.offset] : what.text[0]);
            out.put("byte 0x");
            out.put(hexdigitchars[byte >> 4]);
            out.put(hexdigitchars[byte & 0xF]);
            out.put(" is above 0x7F");
        },
        false,
        "a byte above 0x7F, which old emulators misread",
        "The emulators that read this format take a cheat file as 7-bit text: an accented letter or a UTF-8 "
        "character can show as garbage or break the line it stands on.",
        ":galaga:00000000:9820:00000003:FFFFFFFF:Vies infinies \xC3\xA0 volont\xC3\xA9",
        "",
        "Write the text in plain ASCII.",
    },
    {
        checkid::shortnamemismatch, "shortname-mismatch", severity::error, section::fieldissues, true,
        [](textcollector& out, const finding& what, bool withlines) {
            if (what.setat == 0) {
                out.put("shortname ");
                quoted(out, withoutlineend(what.text));
                out.put(" stands before the first title line, in no block");
                return;
            }
            if (isnameless(what.text)) {
                out.put("the cheat line has no shortname; ");
            } else if (endsline(what.text)) {
                putalone(out, what.text);
                out.put(", which taken with the line's end differs from ");
            } else {
                out.put("shortname ");
                quoted(out, what.text);
                out.put(" differs from ");
            }
            if (isnameless(what.other)) {
                out.put("the block's first cheat line, which has none");
            } else if (endsline(what.other)) {
                out.put(isnameless(what.text) ? "the block's first cheat line holds only its shortname "
                                              : "the block's first cheat line, which holds only its shortname ");
                quoted(out, withoutlineend(what.other));
            } else {
                out.put(isnameless(what.text) ? "the block's is " : "the block's shortname ");
                quoted(out, what.other);
            }
            if (withlines) {
                out.put(" (set at line ");
                out.putnumber(what.setat);
                out.put(")");
            }
        },
        false,
        "shortname differs from its block's first line",
        "A block holds one game's cheats; a line naming another game is a line pasted into the wrong block, or a "
        "typing slip that leaves the cheat with the wrong game.",
        "; [ Pac-Man (Midway) ]\n:pacman:00000000:4E14:00000003:FFFFFFFF:Infinite Lives\n"
        ":pacmna:00000000:4E15:00000001:FFFFFFFF:Invincibility",
        "",
        "Give the line its block's shortname, or move it under the title of its own game.",
    },
    {
        checkid::fieldformat, "field-format", severity::error, section::fieldissues, true,
        // What is wrong with a field that failed its size or characters.
        [](textcollector& out, const finding& what, bool) {
            std::string_view content = withoutlineend(what.text);
            out.put(fieldname(what.field));
            out.put(" field ");
            if (content.empty()) {
                out.put("is missing");
                return;
            }
            quoted(out, content);
            if (!isvaluefield(what.field)) {
                putdialectfield(out, what.field, content);
                return;
            }
            const fieldrule& rule = ruleof(what.field);
            bool hexadecimal = true, lowercase = false;
            for (char c : content) {
                hexadecimal = hexadecimal && isanycasehexdigit(c);
                lowercase = lowercase || islowerhexletter(c);
            }
            if (!hexadecimal) {
                out.put(" is not hexadecimal");
            } else if (content.size() < rule.fewest || content.size() > rule.most) {
                out.put(" has ");
                out.putnumber(static_cast<long long>(content.size()));
                out.put(content.size() == 1 ? " digit" : " digits");
                out.put(rule.fewest == rule.most ? ", not " : ", fewer than ");
                out.putnumber(static_cast<long long>(rule.fewest));
            } else if (endsline(what.text) || !lowercase) {
                // Upper case would not help a field that takes the line's end.
                out.put(" ends the line with no ':' after it");
            } else {
                out.put(" has lower-case digits");
            }
        },
        true,
        "field not 8 upper-case hex digits (address 4+)",
        "Type, data and extended fields are eight hexadecimal digits, the address four or more; the emulator "
        "reads a field of another size or with other characters as another value, or drops the line.",
        ":qbert:00000000:0d01:0000000F:FFFFFFFF:Infinite Lives",
        ":qbert:00000000:0D01:0000000F:FFFFFFFF:Infinite Lives",
        "Write the field in upper-case hexadecimal digits of its size. The fix upper-cases a field whose only "
        "fault is lower case.",
    },
    {
        checkid::unneededfields, "unneeded-fields", severity::error, section::fieldissues, true,
        [](textcollector& out, const finding& what, bool) {
            out.put("type ");
            quoted(out, what.other);
            out.put(" uses no address, data or extended value, but its ");
            out.put(fieldname(what.field));
            out.put(" field is ");
            quoted(out, withoutlineend(what.text));
        },
        false,
        "type 60 or 62 with a non-zero value elsewhere",
        "Types 60 and 62 (a comment or a separator in the cheat menu) use no address, data or extended value; "
        "one that is set means the type or the values are wrong.",
        ":zaxxon:60000000:0000:00000000:00000001:Cheats",
        "",
        "Set address, data and extended to zero, or give the line the type its values need.",
    },
    {
        checkid::suspectmask, "suspect-mask", severity::error, section::fieldissues, false,
        [](textcollector& out, const finding& what, bool) {
            out.put("extended field '");
            putescaped(out, what.text);
            out.put("' is a suspect mask");
        },
        true,
        "mask FF/FFFF/FFFFFF: usual in later files, noise",
        "An extended mask of FF, FFFF or FFFFFF was once a sign of a mistyped mask; later cheat files use the "
        "byte and word masks on purpose, so most of these are right.",
        ":pacman:00000000:4E14:00000003:0000FFFF:Infinite Lives",
        "",
        "Check the mask against the width of the cheat's data; leave it if it is meant.",
    },
    {
        checkid::zerovalue, "zero-value", severity::warning, section::warnings, true,
        [](textcollector& out, const finding&, bool) { out.put("possible illegal zero address or mask"); },
        true,
        "zero address or mask: worth a look, often right",
        "An address or a mask of zero is often a field left unfilled; it is also often right, so it is only a "
        "warning.",
        ":digdug:00000000:0000:00000003:FFFFFFFF:Infinite Lives",
        "",
        "Look at the cheat: fill in the address or mask if it was left out.",
    },
    {
        checkid::unloadedcheat, "unloaded-cheat", severity::error, section::none, true,
        [](textcollector& out, const finding& what, bool withlines) {
            out.put("FinalBurn Neo never reads this line: its reading of ");
            quoted(out, what.text);
            out.put(" ended earlier, at ");
            out.put(what.other);
            putline(out, what.setat, withlines);
        },
        false,
        "a cheat line FinalBurn Neo never reaches",
        "FinalBurn Neo reads a game's lines as one unbroken run from its first cheat line: the first line that "
        "is neither a ';' line nor one of the game's (a blank line, a comment, another game's line) ends it for "
        "good, and the game's lines after it are never loaded. The fields of such a line are checked once it is "
        "in the run.",
        ":pacman:00000000:4E14:00000003:000000FF:Infinite Lives\n\n:pacman:00000000:4E15:00000001:000000FF:Invincibility",
        "",
        "Move the line up into the game's unbroken run of lines, or remove what stands between.",
    },
    {
        checkid::duplicatecheat, "duplicate-cheat", severity::warning, section::none, true,
        [](textcollector& out, const finding& what, bool withlines) {
            out.put("FinalBurn Neo never reads this repeat of a line it reads for ");
            quoted(out, what.text);
            out.put("; its reading ended at ");
            out.put(what.other);
            putline(out, what.setat, withlines);
        },
        false,
        "a never-read line repeating one that is read",
        "A line FinalBurn Neo never reaches that repeats, byte for byte, a line it does read for the game loses "
        "nothing, but it is dead weight that a later edit may be made to in vain.",
        ":pacman:00000000:4E14:00000003:000000FF:Infinite Lives\n\n:pacman:00000000:4E14:00000003:000000FF:Infinite Lives",
        "",
        "Remove the repeated line.",
    },
    {
        checkid::linkwithoutcheat, "link-without-cheat", severity::error, section::none, true,
        [](textcollector& out, const finding& what, bool) {
            out.put("type ");
            quoted(out, what.text);
            out.put(" links this line to the cheat before it, but no cheat of ");
            quoted(out, what.other);
            out.put(" comes before it");
        },
        false,
        "a linked line with no cheat before it to join",
        "FinalBurn Neo adds a line whose type has 0x8000 or 0x10000 set to the cheat before it in the game's "
        "lines; the first of a game's lines has nothing to be added to.",
        ":pacman:00008000:4E14:00000003:000000FF:Infinite Lives",
        "",
        "Give the line a type without the link bits, or move it after the cheat it belongs to.",
    },
    {
        checkid::unsafeline, "unsafe-line", severity::error, section::none, true,
        [](textcollector& out, const finding& what, bool) {
            out.put("FinalBurn Neo cannot read this line safely: ");
            out.putnumber(what.setat);
            if (what.other == "field") {
                out.put(" bytes in one field, over the 255 it copies");
                return;
            }
            out.put(" colons and line ends, ");
            out.put(what.other == "more" ? "more than the 16 it keeps" : "fewer than the 7 it reads");
        },
        false,
        "a line that overruns FinalBurn Neo's reader",
        "FinalBurn Neo notes a line's colons and line ends in a table of 16 without a bound and copies each field "
        "into 256 bytes unchecked: more overruns its memory, and fewer than 7 leaves the description unset.",
        ":pacman:00000000:4E14:00000003:000000FF",
        "",
        "Write the line with its six fields, a description included, and no more colons than it needs.",
    },
    {
        checkid::longdescription, "long-description", severity::warning, section::none, true,
        [](textcollector& out, const finding& what, bool) {
            out.put("description of ");
            out.putnumber(what.setat);
            out.put(" characters: FinalBurn Neo shows it unterminated from 128 on");
        },
        false,
        "a description FinalBurn Neo shows unterminated",
        "FinalBurn Neo copies a description into 128 characters: one of 128 or more is shown with no end, "
        "followed by whatever memory holds.",
        "",
        "",
        "Shorten the description to 127 characters or fewer.",
    },
    {
        checkid::ignoredline, "ignored-line", severity::warning, section::none, true,
        [](textcollector& out, const finding& what, bool) {
            out.put("MAME 2003-Plus ignores this line: ");
            out.put(what.other);
        },
        false,
        "a cheat-like line MAME 2003-Plus ignores",
        "MAME 2003-Plus silently skips every line that fits neither of its layouts: a field that is not a number "
        "of its kind, a missing field, a blank before the name, an upper-case name.",
        "pacman:0:4E14:0G:000:Infinite Lives",
        "",
        "Write the line in one of the two layouts, with each field as the emulator reads it.",
    },
    {
        checkid::firstcheatlinked, "first-cheat-linked", severity::error, section::none, true,
        [](textcollector& out, const finding& what, bool) {
            out.put("the first line MAME 2003-Plus takes for ");
            quoted(out, what.text);
            out.put(" is a linked part, so it loads none of the game's cheats");
        },
        false,
        "a game whose first cheat line is a linked part",
        "MAME 2003-Plus gives up on a game whose first cheat line (remove-from-list lines left out) is a linked "
        "part: the game gets no cheats at all.",
        ":pacman:00010000:4E14:00000003:000000FF:Infinite Lives (2/2)",
        "",
        "Put the cheat's first part before its linked parts, or remove the stray linked line.",
    },
    {
        checkid::longtext, "long-text", severity::warning, section::none, true,
        [](textcollector& out, const finding& what, bool) {
            out.put(what.other);
            out.put(" of ");
            out.putnumber(what.setat);
            out.put(what.other == "line"   ? " bytes: MAME 2003-Plus reads 2,047 at a time"
                    : what.other == "name" ? " characters: MAME 2003-Plus keeps 255 and so skips the line"
                                           : " characters: MAME 2003-Plus keeps 255");
        },
        false,
        "a name, description or line MAME 2003-Plus cuts",
        "MAME 2003-Plus keeps 255 characters of a name or a description and reads a line 2,047 bytes at a time: "
        "a longer name matches no game, a longer description is cut, and the rest of a longer line is read as a "
        "line of its own.",
        "",
        "",
        "Shorten the text; split a long comment over lines of its own.",
    },
    {
        checkid::unusedsuppression, "unused-suppression", severity::warning, section::none, true,
        [](textcollector& out, const finding& what, bool) {
            if (what.text.empty()) {
                out.put("the suppression names no check, so it hides nothing");
            } else if (findcheck(what.text) == nullptr) {
                out.put("'");
                putescaped(out, what.text);
                out.put("' is no check, so its suppression hides nothing");
                if (!what.other.empty()) {
                    out.put("; did you mean '");
                    out.put(what.other);
                    out.put("'?");
                }
            } else {
                out.put("the suppression of '");
                out.put(what.text);
                out.put("' hides nothing");
            }
        },
        false,
        "a '; vettle: ignore[...]' that hides nothing",
        "A suppression left behind once its finding is fixed would hide the next one that comes on its line "
        "unseen; one that names no check hides nothing at all.",
        "; vettle: ignore[zero-value]\n:digdug:00000000:1234:00000003:FFFFFFFF:Infinite Lives",
        "",
        "Remove the suppression, or correct the check's name in it.",
    },
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

std::size_t checknamewidth() {
    std::size_t width = 0;
    for (const checkinfo& check : checktable) width = check.name.size() > width ? check.name.size() : width;
    return width;
}

std::string messageof(const finding& what, bool withlines) {
    textcollector out;
    infoof(what.check).message(out, what, withlines);
    return out.text;
}

notedline notedlineof(const finding& what) {
    if (what.noteat == 0) return {};
    textcollector out;
    out.put("FinalBurn Neo's reading of ");
    quoted(out, what.text);
    out.put(" ends here");
    return {what.noteat, out.text};
}
