#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "console.h"
#include "runnames.h"

// Opening and closing the files of a run. Inputs are read as bytes; the
// line reader turns CR LF into LF itself, so every host reads a file alike.

// A file that cannot give even its first byte (a folder, say) counts as not
// opened, as it would on Windows. Null when not opened.
std::FILE* openinput(const std::string& name);

// The game list: standard input, a saved list or the temporary file.
std::FILE* openlist(const runnames& names);

// The cheat file, read three times: a pipe, which gives its bytes once, is
// refused before anything is written rather than checked in part. Says why
// when it cannot be opened.
std::FILE* opencheatfile(const std::string& name, const console& say);

// The first of `names` that cannot be opened for writing, or null. Nothing
// is emptied; a file made to find out is removed again.
const std::string* unwritable(const std::vector<std::string>& names);

// A report, emptied or made.
std::FILE* openreport(const std::string& name);

// False when anything written to the report may be missing.
bool closereport(std::FILE* file);
