#pragma once

#include <string>

#include "finding.h"
#include "text/textcollector.h"

// The message makers the table of checks names, one a check.
void unlistedshortnamemessage(textcollector& out, const finding& what, bool withlines);
void nocheatentriesmessage(textcollector& out, const finding& what, bool withlines);
void titlemismatchmessage(textcollector& out, const finding& what, bool withlines);
void nonasciimessage(textcollector& out, const finding& what, bool withlines);
void shortnamemismatchmessage(textcollector& out, const finding& what, bool withlines);
void fieldformatmessage(textcollector& out, const finding& what, bool withlines);
void unneededfieldsmessage(textcollector& out, const finding& what, bool withlines);
void suspectmaskmessage(textcollector& out, const finding& what, bool withlines);
void zerovaluemessage(textcollector& out, const finding& what, bool withlines);

// What a finding says, without its place or check. A reference to another
// line of the file (where a block's shortname was set) is left out when
// not `withlines`, as a baseline has it, which never goes by line numbers.
std::string messageof(const finding& what, bool withlines);
