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
    listformat format = recognise ? recogniselist(source.start()) : listformat::listfull;
    listreading reading;
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
    reading.readfailed = source.failed();
    finishgamelist(list);
    return reading;
}
