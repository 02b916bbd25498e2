#pragma once

#include "gamelist.h"
#include "listproblem.h"
#include "listsource.h"

// Reads ClrMamePro text DATs and the -listinfo output of older MAME
// builds: blocks `word ( key value ... )`, values bare words or quoted
// strings (with C escapes: \" \\ \n \xHH ...; a \x without two hex
// digits is kept as it stands), nested blocks skipped. Each `game ( ... )`
// or `machine ( ... )` block is a game, its `name` the shortname and its
// `description` the title; `clrmamepro ( ... )` headers and `resource
// ( ... )` blocks (BIOS sets) are not games. A block left open, a value
// longer than 1 MB, a game's name longer than shortnamelimit or anything
// out of that shape makes the list unreadable.
listproblem readclrmamepro(listsource& source, gamelist& list);
