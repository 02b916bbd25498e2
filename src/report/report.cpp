#include "report.h"

#include "entrywriter.h"

namespace {

// The entry's message for each set of failed rules, made once, the first
// time a big file asks for it.
class fieldissuetexts {
public:
    std::string_view of(unsigned failed) {
        failed &= failure::results;
        char* text = texts_[failed];
        if (lengths_[failed] == 0) {
            std::string_view before = " has an illegal size/characters in fields :";
            std::size_t length = before.copy(text, before.size());
            for (const linerule& rule : linerules) {
                if ((failed & rule.bit) != 0) length += rule.reportname.copy(text + length, rule.reportname.size());
            }
            lengths_[failed] = length;
        }
        return {text, lengths_[failed]};
    }

private:
    char texts_[failure::results + 1][192];
    std::size_t lengths_[failure::results + 1] = {};
};

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
        case section::warnings:
        case section::none:
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

namespace {

void addpairentry(report& out, section where, std::string_view shortname, std::string_view title) {
    opensection(out, where);
    putpair(out.results, shortname, title);
    entrywriter console(out.console);
    putpair(console, shortname, title);
}

// A message with the line number, then the line as read.
void addlineentry(report& out, section where, std::string_view number, std::string_view message,
                  std::string_view linetext) {
    bool warning = where == section::warnings;
    if (!warning) opensection(out, where);
    reportwriter& file = warning ? out.warnings : out.results;
    file.put(warning ? "Possible illegal zero address or mask at Line " : "Line ");
    file.put(number);
    file.put(message);
    putline(file, linetext);
}

}  // namespace

void report::found(const finding& what) {
    static fieldissuetexts fieldissues;
    section where = infoof(what.check).where;
    switch (where) {
        case section::unmatchedshortname:
        case section::nocheatentries:
        case section::titlemismatch:
            addpairentry(*this, where, what.text, what.other);
            break;
        case section::illegalcharacters:
            addlineentry(*this, where, what.number, " contains illegal non-standard characters (>0x7f) :",
                         what.at->text);
            break;
        case section::fieldissues:
            // One entry a line, naming every rule it fails.
            if (what.piece != lastfieldissue) {
                lastfieldissue = what.piece;
                addlineentry(*this, where, what.number, fieldissues.of(what.failed), what.at->text);
            }
            break;
        case section::warnings:
            addlineentry(*this, where, what.number, "", what.at->text);
            break;
        case section::none:
            break;
    }
}

void writesummary(report& out) {
    putsummary(out.results, out.seriousissue);
    out.results.flush();
    out.warnings.flush();
    entrywriter console(out.console);
    putsummary(console, out.seriousissue);
}
