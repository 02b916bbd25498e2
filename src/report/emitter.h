#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "entrywriter.h"
#include "checks/finding.h"
#include "gamelist/gamelist.h"
#include "gamelist/titleindex.h"

class patch;

// Where a finding stands in the cheat file as an editor counts: the
// physical line as decimal text, and the byte column of the line as read
// (a piece of a long line starts past 511), both from 1.
struct place {
    std::string_view line;
    long long column;
    long long physical = 0;     // the line as a number
    long long charsbefore = 0;  // characters of the physical line before the finding's piece
    bool noted = false;         // the note at the line it refers to (finding::noteat) goes with it
};

// A cheat file as the findings name it.
struct emitfile {
    std::string_view name;  // as shown: as given, or --stdin-filename
    const gamelist& list;
    const titleindex* titles;  // for the note naming the games of a block's title, or none
    // The fixes as the passes gather them, or none; `settled`: nothing can
    // hide a finding (no suppression, no baseline), so a fix gathered is
    // made, and the fixes of a line are known once the passes are past it.
    const patch* fixes = nullptr;
    bool settled = false;
};

// One way of writing the findings shown: a format of `vettle check
// --output-format`. A run calls begin, then for each file startfile, its
// findings in the order of the file, the closing note, endfile with the
// file's fixes; then end.
class emitter {
public:
    virtual ~emitter() = default;

    virtual void begin() {}
    virtual void startfile(const emitfile& file) = 0;
    // `linetext`: the finding's physical line (its first 4096 bytes and a
    // hash past that), when needslinetext() asks for it.
    virtual void finding(const struct finding& what, const place& where, std::string_view linetext) = 0;
    // The closing note, tied to no line: `games` listed games have no cheats.
    virtual void nocheatentries(long long games) = 0;
    // Once the file's passes are over, when its fixes are known; `fixes`
    // is null where none were gathered.
    virtual void endfile(const patch* fixes) { (void)fixes; }
    virtual void end() {}

    virtual bool needslinetext() const { return false; }
};

// A row of the table of formats.
struct formatinfo {
    std::string_view name;
    bool summary;  // the summary line follows the findings
    std::unique_ptr<emitter> (*make)(reportwriter& out);
};

// Every format, concise first (the default).
const std::vector<formatinfo>& formattable();

// The format of that name, or null.
const formatinfo* findformat(std::string_view name);

// "unknown output format 'jsn' in --output-format; did you mean 'json'?"
std::string unknownformat(std::string_view name, std::string_view where);
