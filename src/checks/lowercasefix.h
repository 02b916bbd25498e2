#pragma once

#include "cheatline.h"
#include "checks/finding.h"
#include "text/line.h"

// Tells of the fields of a cheat line that fail only by lower-case
// hexadecimal digits and can be written in upper case without any rule of
// the line failing that did not fail before (an extended 0000ffff would
// become a suspect mask, say). `failed` is what the line fails now.
void lowercasefixes(const line& current, const checkedline& checked, unsigned failed, findingsink& out);
