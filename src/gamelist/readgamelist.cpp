#include "readgamelist.h"

#include "clrmamepro.h"
#include "listfull.h"
#include "listsource.h"
#include "listxml.h"

namespace {

bool isblank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

bool iswordcharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
}

// A place in the list as it stands, blanks dropped before it counted.
void shiftplace(listproblem& problem, listsource::shift blanks) {
    if (!problem.found || problem.line == 0) return;
    if (problem.line == 1) problem.column += blanks.columns;
    problem.line += blanks.lines;
}

}  // namespace

listformat recogniselist(std::string_view start) {
    std::size_t at = 0;
    while (at < start.size() && isblank(start[at])) ++at;
    if (at < start.size() && start[at] == '<') return listformat::xml;
    std::size_t word = at;
    while (at < start.size() && iswordcharacter(start[at])) ++at;
    if (at == word) return listformat::listfull;
    while (at < start.size() && isblank(start[at])) ++at;
    return at < start.size() && start[at] == '(' ? listformat::clrmamepro : listformat::listfull;
}

listreading readgamelist(std::FILE* file, gamelist& list, bool recognise) {
    cleargamelist(list);
    listsource source(file);
    listformat format = recognise ? recogniselist(source.start(true)) : listformat::listfull;
    listreading reading;
    if (source.unreadable()) {
        reading.problem = {true, 1, 1, "a UTF-32 byte-order mark; save the list as UTF-8 or UTF-16"};
        finishgamelist(list);
        return reading;
    }
    switch (format) {
        case listformat::listfull:
            readlistfull(source, list);
            break;
        case listformat::xml:
            reading.problem = readlistxml(source, list);
            break;
        case listformat::clrmamepro:
            reading.problem = readclrmamepro(source, list);
            break;
    }
    shiftplace(reading.problem, source.dropped(format == listformat::xml));
    reading.readfailed = source.failed();
    finishgamelist(list);
    // A list named on the command line is read for its games: one without
    // any is a mistake (an empty file, a text of another kind), never the
    // cheat file's fault.
    if (recognise && list.count == 0 && !reading.problem.found) {
        reading.problem = {true, 0, 0, "it holds no game"};
    }
    return reading;
}
