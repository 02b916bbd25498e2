#include "report.h"

#include "entrywriter.h"

const namedcheck namedchecks[7] = {
    {checkbit::shortname, " shortname "},
    {checkbit::type, " type "},
    {checkbit::address, " address "},
    {checkbit::data, " data "},
    {checkbit::extended, " extended "},
    {checkbit::unneededfields, " unneeded fields should = 0 "},
    {checkbit::mask, " suspect mask "},
};

std::string_view failedchecktexts::of(unsigned checks) {
    unsigned failed = ~checks & results;
    char* text = texts_[failed];
    if (lengths_[failed] == 0) {
        std::size_t length = before_.copy(text, before_.size());
        std::string_view separator = " ";
        for (const namedcheck& check : namedchecks) {
            if ((failed & check.bit) == 0) continue;
            std::string_view name = check.name;
            if (style_ == names::aslist) {
                name = name.substr(1, name.size() - 2);  // without its blanks
                length += separator.copy(text + length, separator.size());
                separator = ", ";
            }
            length += name.copy(text + length, name.size());
        }
        lengths_[failed] = length + after_.copy(text + length, after_.size());
    }
    return {text, lengths_[failed]};
}

namespace {

constexpr std::size_t boxtextwidth = 56;

template <class writer>
void boxrule(writer& file) {
    file.putrepeated('*', 61);
    file.put('\n');
}

// Box texts are fixed and never longer than the box.
template <class writer>
void boxtext(writer& file, std::string_view text) {
    file.put("** ");
    file.put(text);
    file.putrepeated(' ', boxtextwidth - text.size());
    file.put("**\n");
}

void writesectionheader(report& out, section where) {
    reportwriter& results = out.results;
    entrywriter console(out.console);
    switch (where) {
        case section::unmatchedshortname:
            results.put("\n\nThe following game cheats should be removed or the shortname should be renamed:\n\n");
            console.put("The following game cheats should be removed or the shortname should be renamed:\n\n");
            break;
        case section::nocheatentries:
            results.put("\n\nThe following games have NO cheat file entries:\n\n");
            console.put("\n\nThe following games have NO cheat file entries:\n\n");
            break;
        case section::titlemismatch:
            results.put(
                "\n\nThe full title for the following games do not match the shortname, the correct "
                "relationships are shown:\n\n");
            console.put(
                "\n\nThe full title for the following games do not match the shortname.\n (the correct "
                "relationships are shown) :\n\n");
            break;
        case section::illegalcharacters:
            results.put("\n\n");
            boxrule(results);
            boxtext(results, "The following is a list of cheat lines which contain");
            boxtext(results, "illegal characters which can cause serious issues!");
            boxrule(results);
            results.put("\n");
            break;
        case section::fieldissues:
            results.put("\n\n");
            boxrule(results);
            boxtext(results, "The following is a list of cheat lines with issues");
            if (out.seriousissue) {
                boxtext(results, "ONLY LOOK AT THESE AFTER YOU'VE FIXED ALL OF THE ABOVE!");
            }
            boxrule(results);
            results.put("\n");
            break;
    }
    out.seriousissue = true;
    out.fault = out.fault || where != section::nocheatentries;
}

void opensection(report& out, section where) {
    bool& opened = out.opened[static_cast<int>(where)];
    if (!opened) {
        writesectionheader(out, where);
        opened = true;
    }
}

template <class writer>
void putpair(writer& file, std::string_view shortname, std::string_view title) {
    file.put("; ");
    file.put(shortname);
    if (shortname.size() < 9) {
        file.putrepeated(' ', 9 - shortname.size());
    }
    file.put(" [ ");
    file.put(title);
    file.put(" ]\n");
}

// Ends a line entry: the line as read (usually with its own line feed),
// then one more line feed.
void putline(reportwriter& file, std::string_view linetext) {
    file.put("\n");
    file.put(linetext);
    file.put("\n");
}

template <class writer>
void putsummary(writer& file, bool seriousissue) {
    file.put("\n");
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
    file.put("\n");
}

}  // namespace

void writeresultsheader(report& out, int games) {
    reportwriter& results = out.results;
    results.put("Vettle Scan Results (");
    results.putnumber(games);
    results.put(" Games Imported from MAME)\n");
    results.putrepeated('=', 58);
}

void writewarningsheader(report& out, int games) {
    reportwriter& warnings = out.warnings;
    warnings.put("Vettle Warnings (");
    warnings.putnumber(games);
    warnings.put(" Games Imported from MAME)\n");
    warnings.putrepeated('=', 54);
    warnings.put("\n\n");
    boxrule(warnings);
    boxtext(warnings, "The following is a list of cheat lines which may or may");
    boxtext(warnings, "not have issues. DO NOT TRY AND COMPLETELY FIX THESE AS");
    boxtext(warnings, "YOU WILL CAUSE MORE PROBLEMS THEN YOU SOLVE!");
    boxrule(warnings);
    warnings.put("\n");
}

void addpairentry(report& out, section where, std::string_view shortname, std::string_view title) {
    opensection(out, where);
    putpair(out.results, shortname, title);
    entrywriter console(out.console);
    putpair(console, shortname, title);
}

void addillegalcharacters(report& out, std::string_view linenumber, std::string_view linetext) {
    opensection(out, section::illegalcharacters);
    reportwriter& results = out.results;
    results.put("Line ");
    results.put(linenumber);
    results.put(" contains illegal non-standard characters (>0x7f) :");
    putline(results, linetext);
}

void addfieldissue(report& out, std::string_view linenumber, unsigned checks, std::string_view linetext) {
    opensection(out, section::fieldissues);
    reportwriter& results = out.results;
    results.put("Line ");
    results.put(linenumber);
    static failedchecktexts texts(" has an illegal size/characters in fields :",
                                  failedchecktexts::names::asreported, "");
    results.put(texts.of(checks));
    putline(results, linetext);
}

void addwarningentry(report& out, std::string_view linenumber, std::string_view linetext) {
    reportwriter& warnings = out.warnings;
    warnings.put("Possible illegal zero address or mask at Line ");
    warnings.put(linenumber);
    putline(warnings, linetext);
}

void writesummary(report& out) {
    putsummary(out.results, out.seriousissue);
    out.results.flush();
    out.warnings.flush();
    entrywriter console(out.console);
    putsummary(console, out.seriousissue);
}
