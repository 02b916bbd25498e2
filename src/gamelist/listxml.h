#pragma once

#include "gamelist.h"
#include "listproblem.h"
#include "listsource.h"

// Reads MAME's -listxml output (<mame> holding <game> or <machine>) and
// Logiqx XML DATs (<datafile> holding the same) with expat, streaming:
// each game or machine is a game, its name attribute the shortname and
// its first <description> the title, except devices (isdevice="yes") and
// sets that do not run on their own (runnable="no"). Only the table grows
// with the file: markup (a tag, a comment) or a description's text longer
// than 1 MB, a game's name longer than shortnamelimit, more than 64
// attributes declared for one element, or elements nested deeper than
// 1000 make the list unreadable. External entities and DTDs are never
// read, an entity left undefined for that is an error, and expat's limit
// on entity expansion stands.
listproblem readlistxml(listsource& source, gamelist& list);
