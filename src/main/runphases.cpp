#include "runphases.h"

#include <optional>

#include "checks/charscan.h"
#include "checks/crosscheck.h"
#include "checks/fieldcheck.h"
#include "report/report.h"

namespace {

// A rewind clears the error flag, so each pass is checked before the next.
void notereaderror(std::FILE* file, bool& failed) {
    if (std::ferror(file)) {
        failed = true;
    }
}

// A file that cannot go back would give the next pass nothing.
void rewindchecked(std::FILE* file, bool& failed) {
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        failed = true;
    }
    std::clearerr(file);
}

void prints(std::FILE* console, const char* text) {
    if (console != nullptr) std::fputs(text, console);
}

}  // namespace

runstatus runphases(const runfiles& files, gamelist& list) {
    runstatus status;
    std::FILE* console = files.console;
    prints(console, "Processing MAME Output\n");
    if (console != nullptr) {
        std::fprintf(console, "MAME output successfully processed - current version supports %d games\n\n",
                     list.count);
    }

    report out(files.results, files.warnings, console);
    writeresultsheader(out, list.count);

    // Large tables: kept out of the stack, made anew for every run.
    static std::optional<diagnosticpass> diagnosis;
    diagnosis.reset();
    if (files.findings != nullptr) diagnosis.emplace(list, *files.findings);
    diagnosticpass* findings = diagnosis ? &*diagnosis : nullptr;

    // The first pass reads on to the end of the file and notes the lines
    // the character scan will report, so the scan need not read it all.
    highbytelines highlines;
    {
        linereader reader(files.cheatfile);
        reader.notehighbytes(&highlines);
        runcrosscheck(reader, list, out, findings != nullptr ? findings->firstblocks.get() : nullptr);
        for (line rest; reader.next(rest);) {
        }
    }
    notereaderror(files.cheatfile, status.cheatfilereadfailed);
    if (!runcharscan(files.cheatfile, highlines, out)) {
        status.cheatfilereadfailed = true;
    }
    notereaderror(files.cheatfile, status.cheatfilereadfailed);

    rewindchecked(files.cheatfile, status.cheatfilereadfailed);
    writewarningsheader(out, list.count);
    if (findings != nullptr) findings->prepare();
    {
        linereader reader(files.cheatfile);
        runfieldcheck(reader, out, findings);
    }
    notereaderror(files.cheatfile, status.cheatfilereadfailed);

    writesummary(out);
    status.fault = out.fault;
    return status;
}
