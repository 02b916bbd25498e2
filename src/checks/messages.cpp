#include "messages.h"

#include "cheatfile/cheatfields.h"
#include "cheatfile/fieldtable.h"
#include "text/escaped.h"
#include "text/hexdigits.h"

// What each check's finding says: the words of the diagnostics, of the
// baseline and of every output. Names and titles from the files are quoted
// as they are, but for control characters, written \xNN, so that a message
// is always one line.

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

}  // namespace

void unlistedshortnamemessage(textcollector& out, const finding& what, bool) {
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
}

void nocheatentriesmessage(textcollector& out, const finding& what, bool) {
    out.put("listed game ");
    quoted(out, what.text);
    out.put(" has no cheat entries");
}

void titlemismatchmessage(textcollector& out, const finding& what, bool) {
    out.put("title ");
    quoted(out, what.blocktitle);
    out.put(" differs from the emulator's title ");
    quoted(out, what.other);
    out.put(" of ");
    quoted(out, what.text);
}

void nonasciimessage(textcollector& out, const finding& what, bool) {
    auto byte = static_cast<unsigned char>(what.at->text[what.offset]);
    out.put("byte 0x");
    out.put(hexdigitchars[byte >> 4]);
    out.put(hexdigitchars[byte & 0xF]);
    out.put(" is above 0x7F");
}

void shortnamemismatchmessage(textcollector& out, const finding& what, bool withlines) {
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
}

// What is wrong with a field that failed its size or characters.
void fieldformatmessage(textcollector& out, const finding& what, bool) {
    const fieldrule& rule = ruleof(what.field);
    std::string_view content = withoutlineend(what.text);
    out.put(rule.name);
    out.put(" field ");
    if (content.empty()) {
        out.put("is missing");
        return;
    }
    quoted(out, content);
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
        if (rule.fewest == rule.most) {
            out.put(", not ");
            out.putnumber(static_cast<long long>(rule.fewest));
        } else {
            out.put(", fewer than ");
            out.putnumber(static_cast<long long>(rule.fewest));
        }
    } else if (endsline(what.text) || !lowercase) {
        // Upper case would not help a field that takes the line's end.
        out.put(" ends the line with no ':' after it");
    } else {
        out.put(" has lower-case digits");
    }
}

void unneededfieldsmessage(textcollector& out, const finding& what, bool) {
    out.put("type ");
    quoted(out, what.other);
    out.put(" uses no address, data or extended value, but its ");
    out.put(fieldname(what.field));
    out.put(" field is ");
    quoted(out, withoutlineend(what.text));
}

void suspectmaskmessage(textcollector& out, const finding& what, bool) {
    out.put("extended field '");
    putescaped(out, what.text);
    out.put("' is a suspect mask");
}

void zerovaluemessage(textcollector& out, const finding&, bool) { out.put("possible illegal zero address or mask"); }

std::string messageof(const finding& what, bool withlines) {
    textcollector out;
    infoof(what.check).message(out, what, withlines);
    return out.text;
}
