#include "diagnostics.h"

#include "escaped.h"
#include "report.h"

diagnostics::diagnostics(reportwriter& out, std::string_view filename) : out_(out), filename_(escaped(filename)) {}

void diagnostics::place(location at) {
    out_.put(filename_);
    out_.put(':');
    out_.put(at.line);
    out_.put(':');
    if (at.column == 1) {
        out_.put('1');
    } else {
        out_.putnumber(at.column);
    }
}

void diagnostics::start(location at, std::string_view severity) {
    if (at.line.empty()) {
        out_.put(filename_);
    } else {
        place(at);
    }
    out_.put(": ");
    out_.put(severity);
    out_.put(": ");
}

void diagnostics::quoted(std::string_view text) {
    out_.put('\'');
    putescaped(out_, text);
    out_.put('\'');
}

void diagnostics::end(std::string_view check) {
    out_.put(" [");
    out_.put(check);
    out_.put("]\n");
}

void diagnostics::unlistedshortname(location at, std::string_view shortname) {
    start(at, "error");
    out_.put("shortname ");
    quoted(shortname);
    out_.put(" is not in the emulator's game list");
    end("unlisted-shortname");
}

void diagnostics::suggestion(location at, std::string_view title, const std::string_view* shortnames, int count) {
    start(at, "note");
    out_.put("the emulator lists ");
    quoted(title);
    out_.put(" as ");
    for (int i = 0; i < count; ++i) {
        if (i > 0) out_.put(i + 1 == count ? " and " : ", ");
        quoted(shortnames[i]);
    }
    end("unlisted-shortname");
}

void diagnostics::titlemismatch(location at, std::string_view blocktitle, std::string_view shortname,
                                std::string_view emulatortitle) {
    start(at, "error");
    out_.put("title ");
    quoted(blocktitle);
    out_.put(" differs from the emulator's title ");
    quoted(emulatortitle);
    out_.put(" of ");
    quoted(shortname);
    end("title-mismatch");
}

void diagnostics::nonascii(location at, unsigned char byte) {
    static const char hexdigits[] = "0123456789ABCDEF";
    start(at, "error");
    out_.put("byte 0x");
    out_.put(hexdigits[byte >> 4]);
    out_.put(hexdigits[byte & 0xF]);
    out_.put(" is above 0x7F");
    end("non-ascii");
}

void diagnostics::fieldissue(location at, unsigned checks) {
    static failedchecktexts texts(": error: illegal size/characters in fields:", failedchecktexts::names::aslist,
                                  " [fields]\n");
    place(at);
    out_.put(texts.of(checks));
}

// The commonest finding of all, in two writes.
void diagnostics::zerovalue(location at) {
    place(at);
    out_.put(": warning: possible illegal zero address or mask [zero-value]\n");
}

void diagnostics::nocheatentries(int games) {
    start({{}, 0}, "note");
    out_.putnumber(games);
    out_.put(games == 1 ? " listed game has" : " listed games have");
    out_.put(" no cheat entries; cheatscanresults.txt lists them");
    end("no-cheat-entries");
}
