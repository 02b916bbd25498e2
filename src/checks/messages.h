#pragma once

#include <string>

#include "finding.h"

// What a finding says, without its place or check, in the words its row of
// the table of checks gives. A reference to another line of the file
// (where a block's shortname was set) is left out when not `withlines`, as
// a baseline has it, which never goes by line numbers.
std::string messageof(const finding& what, bool withlines);

// The note a finding makes at the other line it refers to (the line that
// ended a game's reading); line 0 where it makes none.
struct notedline {
    long long line = 0;
    std::string message;
};
notedline notedlineof(const finding& what);
