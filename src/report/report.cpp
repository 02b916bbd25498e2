#include "report.h"


namespace {

constexpr std::size_t boxtextwidth = 56;

void put(std::FILE* file, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), file);
}

void putrepeated(std::FILE* file, char c, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        std::fputc(c, file);
    }
}

void boxrule(std::FILE* file) {
    putrepeated(file, '*', 61);
    std::fputc('\n', file);
}

// Box texts are fixed and never longer than the box.
void boxtext(std::FILE* file, std::string_view text) {
    put(file, "** ");
    put(file, text);
    putrepeated(file, ' ', boxtextwidth - text.size());
    put(file, "**\n");
}

// Decimal digits written by hand: the C runtimes of the hosts disagree on
// how to print a long long.
void putnumber(std::FILE* file, long long number) {
    char digits[24];
    std::size_t length = 0;
    unsigned long long magnitude =
        number < 0 ? 0ULL - static_cast<unsigned long long>(number) : static_cast<unsigned long long>(number);
    do {
        digits[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (number < 0) {
        std::fputc('-', file);
    }
    while (length > 0) {
        std::fputc(digits[--length], file);
    }
}

void writesectionheader(report& out, section where) {
    std::FILE* results = out.results;
    switch (where) {
        case section::unmatchedshortname:
            put(results, "\n\nThe following game cheats should be removed or the shortname should be renamed:\n\n");
            put(out.console, "The following game cheats should be removed or the shortname should be renamed:\n\n");
            break;
        case section::nocheatentries:
            put(results, "\n\nThe following games have NO cheat file entries:\n\n");
            put(out.console, "\n\nThe following games have NO cheat file entries:\n\n");
            break;
        case section::titlemismatch:
            put(results,
                "\n\nThe full title for the following games do not match the shortname, the correct "
                "relationships are shown:\n\n");
            put(out.console,
                "\n\nThe full title for the following games do not match the shortname.\n (the correct "
                "relationships are shown) :\n\n");
            break;
        case section::illegalcharacters:
            put(results, "\n\n");
            boxrule(results);
            boxtext(results, "The following is a list of cheat lines which contain");
            boxtext(results, "illegal characters which can cause serious issues!");
            boxrule(results);
            put(results, "\n");
            break;
        case section::fieldissues:
            put(results, "\n\n");
            boxrule(results);
            boxtext(results, "The following is a list of cheat lines with issues");
            if (out.seriousissue) {
                boxtext(results, "ONLY LOOK AT THESE AFTER YOU'VE FIXED ALL OF THE ABOVE!");
            }
            boxrule(results);
            put(results, "\n");
            break;
    }
    out.seriousissue = true;
}

void opensection(report& out, section where) {
    bool& opened = out.opened[static_cast<int>(where)];
    if (!opened) {
        writesectionheader(out, where);
        opened = true;
    }
}

void putpair(std::FILE* file, std::string_view shortname, std::string_view title) {
    put(file, "; ");
    put(file, shortname);
    if (shortname.size() < 9) {
        putrepeated(file, ' ', 9 - shortname.size());
    }
    put(file, " [ ");
    put(file, title);
    put(file, " ]\n");
}

// Ends a line entry: the line as read (usually with its own line feed),
// then one more line feed.
void putline(std::FILE* file, const char* linetext) {
    put(file, "\n");
    put(file, linetext);
    put(file, "\n");
}

struct checkname {
    unsigned bit;
    std::string_view name;
};

// In the order the names are written.
constexpr checkname checknames[] = {
    {checkbit::shortname, " shortname "},
    {checkbit::type, " type "},
    {checkbit::address, " address "},
    {checkbit::data, " data "},
    {checkbit::extended, " extended "},
    {checkbit::unneededfields, " unneeded fields should = 0 "},
    {checkbit::mask, " suspect mask "},
};

void putsummary(std::FILE* file, bool seriousissue) {
    put(file, "\n");
    boxrule(file);
    if (!seriousissue) {
        boxtext(file, "The vettle didn't find any 'serious' issues");
        boxtext(file, "this should NOT be taken that the scanned cheat file is");
        boxtext(file, "perfect. As there will always be some errors that the");
        boxtext(file, "vettle simply doesn't know about/check for!");
        boxtext(file, "");
    }
    boxtext(file, "You should check the cheatscanwarnings.txt file for any");
    boxtext(file, "WARNINGS - they are flagged up for INVESTIGATION ONLY!");
    boxrule(file);
    put(file, "\n");
}

}  // namespace

void writeresultsheader(report& out, int games) {
    put(out.results, "Vettle Scan Results (");
    putnumber(out.results, games);
    put(out.results, " Games Imported from MAME)\n");
    putrepeated(out.results, '=', 58);
}

void writewarningsheader(report& out, int games) {
    std::FILE* warnings = out.warnings;
    put(warnings, "Vettle Warnings (");
    putnumber(warnings, games);
    put(warnings, " Games Imported from MAME)\n");
    putrepeated(warnings, '=', 54);
    put(warnings, "\n\n");
    boxrule(warnings);
    boxtext(warnings, "The following is a list of cheat lines which may or may");
    boxtext(warnings, "not have issues. DO NOT TRY AND COMPLETELY FIX THESE AS");
    boxtext(warnings, "YOU WILL CAUSE MORE PROBLEMS THEN YOU SOLVE!");
    boxrule(warnings);
    put(warnings, "\n");
}

void addpairentry(report& out, section where, std::string_view shortname, std::string_view title) {
    opensection(out, where);
    putpair(out.results, shortname, title);
    putpair(out.console, shortname, title);
}

void addillegalcharacters(report& out, long long linenumber, const char* linetext) {
    opensection(out, section::illegalcharacters);
    put(out.results, "Line ");
    putnumber(out.results, linenumber);
    put(out.results, " contains illegal non-standard characters (>0x7f) :");
    putline(out.results, linetext);
}

void addfieldissue(report& out, long long linenumber, unsigned checks, const char* linetext) {
    opensection(out, section::fieldissues);
    put(out.results, "Line ");
    putnumber(out.results, linenumber);
    put(out.results, " has an illegal size/characters in fields :");
    for (const checkname& check : checknames) {
        if ((checks & check.bit) == 0) {
            put(out.results, check.name);
        }
    }
    putline(out.results, linetext);
}

void addwarningentry(report& out, long long linenumber, const char* linetext) {
    put(out.warnings, "Possible illegal zero address or mask at Line ");
    putnumber(out.warnings, linenumber);
    putline(out.warnings, linetext);
}

void writesummary(report& out) {
    putsummary(out.results, out.seriousissue);
    putsummary(out.console, out.seriousissue);
}
