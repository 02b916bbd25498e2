#include "listxml.h"

#include "plaintext.h"

#include <expat.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr long long markuplimit = 1 << 20;
constexpr std::size_t textlimit = 1 << 20;
constexpr int depthlimit = 1000;
constexpr int blocksize = 1 << 16;

// The state of a reading, from one expat callback to the next.
struct xmlreading {
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

bool is(const XML_Char* text, const char* word) { return std::strcmp(text, word) == 0; }

const XML_Char* attribute(const XML_Char** attributes, const char* name) {
    for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
        if (is(a[0], name)) return a[1];
    }
    return nullptr;
}

void XMLCALL ontext(void* data, const XML_Char* text, int length) {
    xmlreading& r = reading(data);
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
        XML_SetCharacterDataHandler(r.parser, ontext);  // text anywhere else is never looked at
    }
}

void XMLCALL onend(void* data, const XML_Char*) {
    xmlreading& r = reading(data);
    if (r.depth == 3 && r.indescription) {
        r.indescription = false;
        r.hasdescription = true;
        XML_SetCharacterDataHandler(r.parser, nullptr);
    } else if (r.depth == 2 && r.ingame) {
        blankcontrols(r.name.data(), r.name.size());
        blankcontrols(r.title, r.titlelength);
        addgame(r.list, r.name, {r.title, r.titlelength});
        r.ingame = false;
    }
    --r.depth;
}

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

}  // namespace

listproblem readlistxml(listsource& source, gamelist& list) {
    // Decoded from UTF-16, the bytes are UTF-8 whatever the declaration says.
    XML_Parser parser = XML_ParserCreate(source.fromutf16() ? "UTF-8" : nullptr);
    xmlreading r{parser, list, {}, 0, false, false, false, {}, {}, 0, 0, 0, 0};
    XML_SetUserData(parser, &r);
    XML_SetElementHandler(parser, onstart, onend);
    XML_SetSkippedEntityHandler(parser, onskipped);
    XML_SetExternalEntityRefHandler(parser, onexternal);
    XML_SetParamEntityParsing(parser, XML_PARAM_ENTITY_PARSING_NEVER);
    long long fed = 0;
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
        fed += static_cast<long long>(got);
        // Expat holds an unfinished piece of markup until its end comes.
        if (fed - static_cast<long long>(XML_GetCurrentByteIndex(parser)) > markuplimit) {
            stop(r, "a tag or other markup longer than 1 MB");
            break;
        }
        if (last) break;
    }
    XML_ParserFree(parser);
    return r.problem;
}
