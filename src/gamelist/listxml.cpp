#include "listxml.h"

#include "plaintext.h"

#include <expat.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <type_traits>
#include <unordered_map>

namespace {

constexpr long long markuplimit = 1 << 20;
constexpr std::size_t textlimit = 1 << 20;
constexpr int depthlimit = 1000;
constexpr int attributelimit = 64;
constexpr int blocksize = 1 << 16;

// Places in the bytes fed to expat, unsigned, so that the distance between
// two stays right where expat's index is a 32-bit long past 2 GB.
using byteplace = std::make_unsigned_t<XML_Index>;

// The state of a reading, from one expat callback to the next.
struct xmlreading {
    xmlreading(XML_Parser p, gamelist& l) : parser(p), list(l) {}

    XML_Parser parser;
    gamelist& list;
    listproblem problem;
    int depth = 0;
    bool ingame = false;  // in a game or machine that counts
    bool indescription = false;
    bool hasdescription = false;
    std::string name;
    char title[titlecapacity];
    std::size_t titlelength = 0;
    std::size_t textlength = 0;
    long long descriptionline = 0;  // where the description starts
    long long descriptioncolumn = 0;
    byteplace parsed = 0;  // where the last event expat reported ends
    std::unordered_map<std::string, int> declared;  // attributes declared, by element
};

xmlreading& reading(void* data) { return *static_cast<xmlreading*>(data); }

// Where the parser is: at an event, or just past the last one.
void here(const xmlreading& r, long long& line, long long& column) {
    line = static_cast<long long>(XML_GetCurrentLineNumber(r.parser));
    column = static_cast<long long>(XML_GetCurrentColumnNumber(r.parser)) + 1;
}

// Stops the parser with a problem of ours, here or at the place given.
void stop(xmlreading& r, const char* reason, const char* name = "", long long line = 0, long long column = 0) {
    if (r.problem.found) return;
    r.problem.found = true;
    here(r, r.problem.line, r.problem.column);
    if (line != 0) r.problem.line = line, r.problem.column = column;
    std::snprintf(r.problem.reason, sizeof r.problem.reason, reason, name);
    XML_StopParser(r.parser, XML_FALSE);
}

// Every event passes here, so that the reading knows where expat's parsed
// bytes end: what follows is all it holds back. A piece of markup longer
// than the limit stops the reading even when it ends within the block that
// brought it past the limit; text is no markup, and comes in pieces.
bool reported(xmlreading& r, bool markup) {
    XML_Index at = XML_GetCurrentByteIndex(r.parser);
    int count = XML_GetCurrentByteCount(r.parser);
    if (at != -1) r.parsed = static_cast<byteplace>(at) + static_cast<byteplace>(count);  // -1: no place known
    if (markup && count > markuplimit) stop(r, "a tag or other markup longer than 1 MB");
    return !r.problem.found;
}

bool is(const XML_Char* text, const char* word) { return std::strcmp(text, word) == 0; }

const XML_Char* attribute(const XML_Char** attributes, const char* name) {
    for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
        if (is(a[0], name)) return a[1];
    }
    return nullptr;
}

// Text anywhere but in a description that counts is never looked at.
void XMLCALL ontext(void* data, const XML_Char* text, int length) {
    xmlreading& r = reading(data);
    if (!reported(r, false) || !r.indescription) return;
    auto size = static_cast<std::size_t>(length);
    r.textlength += size;
    if (r.textlength > textlimit) {
        stop(r, "a description longer than 1 MB", "", r.descriptionline, r.descriptioncolumn);
        return;
    }
    std::size_t room = titlecapacity - r.titlelength;
    std::size_t taken = size < room ? size : room;
    std::memcpy(r.title + r.titlelength, text, taken);
    r.titlelength += taken;
}

void XMLCALL onstart(void* data, const XML_Char* element, const XML_Char** attributes) {
    xmlreading& r = reading(data);
    if (!reported(r, true)) return;
    if (++r.depth > depthlimit) {
        stop(r, "elements nested deeper than 1000");
    } else if (r.depth == 1) {
        if (!is(element, "mame") && !is(element, "datafile")) {
            stop(r, "the root element is '%s', not 'mame' or 'datafile'", element);
        }
    } else if (r.depth == 2 && (is(element, "game") || is(element, "machine"))) {
        const XML_Char* name = attribute(attributes, "name");
        const XML_Char* isdevice = attribute(attributes, "isdevice");
        const XML_Char* runnable = attribute(attributes, "runnable");
        if (name != nullptr && std::strlen(name) > shortnamelimit) {
            stop(r, "a shortname longer than 64 bytes");
            return;
        }
        r.ingame = name != nullptr && !(isdevice != nullptr && is(isdevice, "yes")) &&
                   !(runnable != nullptr && is(runnable, "no"));
        if (r.ingame) {
            r.name = name;
            r.titlelength = 0;
            r.hasdescription = false;
        }
    } else if (r.depth == 3 && r.ingame && !r.hasdescription && is(element, "description")) {
        r.indescription = true;
        r.textlength = 0;
        here(r, r.descriptionline, r.descriptioncolumn);
    }
}

void XMLCALL onend(void* data, const XML_Char*) {
    xmlreading& r = reading(data);
    if (!reported(r, true)) return;
    if (r.depth == 3 && r.indescription) {
        r.indescription = false;
        r.hasdescription = true;
    } else if (r.depth == 2 && r.ingame) {
        blankcontrols(r.name.data(), r.name.size());
        blankcontrols(r.title, r.titlelength);
        addgame(r.list, r.name, {r.title, r.titlelength});
        r.ingame = false;
    }
    --r.depth;
}

// Expat copies no default into an element: each holds a pointer to the
// DTD's one. But it walks every default an element's DTD declares for each
// such element, so many declarations for one element would cost every
// element in the list that much again.
void XMLCALL onattlist(void* data, const XML_Char* element, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    xmlreading& r = reading(data);
    if (!reported(r, true)) return;
    if (++r.declared[element] > attributelimit) stop(r, "more than 64 attributes declared for element '%s'", element);
}

// What no other handler is given: declarations, the blanks between them.
// From a list in an encoding other than UTF-8 it comes converted, in
// pieces, so comments and processing instructions, which may be long
// anywhere, have handlers of their own that see each whole.
void XMLCALL onother(void* data, const XML_Char*, int) { reported(reading(data), true); }
void XMLCALL oncomment(void* data, const XML_Char*) { reported(reading(data), true); }
void XMLCALL oninstruction(void* data, const XML_Char*, const XML_Char*) { reported(reading(data), true); }

// Only an entity whose declaration was never read (it would be in an
// external DTD) is skipped: its text is not known, so neither is the list.
void XMLCALL onskipped(void* data, const XML_Char* entity, int) {
    stop(reading(data), "entity '%s' is not defined here (external DTDs are never read)", entity);
}

int XMLCALL onexternal(XML_Parser parser, const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
    xmlreading& r = reading(XML_GetUserData(parser));
    stop(r, "an external entity, which is never read");
    return XML_STATUS_ERROR;
}

// Expat from 2.6, and builds with that change carried back, hold a partial
// token back until much more input has come, so what they hold unparsed is
// no longer the markup left open. Where the switch is declared it turns
// that off (the markup limit bounds the parsing again); elsewhere expat
// parses every block as it comes.
template <class parserhandle>
auto parseeveryblock(parserhandle parser, int) -> decltype(XML_SetReparseDeferralEnabled(parser, XML_FALSE), void()) {
    XML_SetReparseDeferralEnabled(parser, XML_FALSE);
}

template <class parserhandle>
void parseeveryblock(parserhandle, long) {}

}  // namespace

listproblem readlistxml(listsource& source, gamelist& list) {
    // Decoded from UTF-16, the bytes are UTF-8 whatever the declaration says.
    XML_Parser parser = XML_ParserCreate(source.fromutf16() ? "UTF-8" : nullptr);
    xmlreading r(parser, list);
    XML_SetUserData(parser, &r);
    XML_SetElementHandler(parser, onstart, onend);
    XML_SetCharacterDataHandler(parser, ontext);
    XML_SetAttlistDeclHandler(parser, onattlist);
    XML_SetDefaultHandlerExpand(parser, onother);
    XML_SetCommentHandler(parser, oncomment);
    XML_SetProcessingInstructionHandler(parser, oninstruction);
    XML_SetSkippedEntityHandler(parser, onskipped);
    XML_SetExternalEntityRefHandler(parser, onexternal);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    parseeveryblock(parser, 0);
    byteplace fed = 0;
    for (;;) {
        void* buffer = XML_GetBuffer(parser, blocksize);
        if (buffer == nullptr) {
            stop(r, "out of memory");
            break;
        }
        std::size_t got = source.read(static_cast<char*>(buffer), blocksize);
        bool last = got == 0;
        if (XML_ParseBuffer(parser, static_cast<int>(got), last) == XML_STATUS_ERROR) {
            if (!r.problem.found) {
                r.problem.found = true;
                here(r, r.problem.line, r.problem.column);
                std::snprintf(r.problem.reason, sizeof r.problem.reason, "%s",
                              XML_ErrorString(XML_GetErrorCode(parser)));
            }
            break;
        }
        fed += static_cast<byteplace>(got);
        // What expat holds past its last event is markup waiting for its end.
        if (fed - r.parsed > static_cast<byteplace>(markuplimit)) {
            stop(r, "a tag or other markup longer than 1 MB");
            break;
        }
        if (last) break;
    }
    XML_ParserFree(parser);
    return r.problem;
}
