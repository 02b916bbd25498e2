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

// An output written whole beside its name and renamed over it, so that a
// write that fails, or a run that stops, leaves the last one as it was.
// Through a link, the file it leads to is replaced and the link stays; a
// device is written as it is.
class wholeoutput {
public:
    // Null when it cannot be made.
    std::FILE* open(const std::string& name);
    // Once the file is closed (`written`: in full), puts it in place when
    // `keep`, else drops it. False when what should now be in place is not.
    bool place(bool written, bool keep);
    // Whether a failure leaves the last one as it was.
    bool keepsold() const { return !temp_.empty(); }

private:
    std::string target_, temp_;
};

// A report, emptied or made.
std::FILE* openreport(const std::string& name);

// False when anything written to the report may be missing.
bool closereport(std::FILE* file);
