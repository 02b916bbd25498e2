#include "runphases.h"

#include <optional>

#include "checks/charscan.h"
#include "checks/crosscheck.h"
#include "checks/fieldcheck.h"
#include "engine/fileorder.h"
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

// Every finding, told once, goes to the reports and to what is shown.
class fanout final : public findingsink {
public:
    fanout(report* out, shownfindings& shown, fileorder* order, patch* fixes)
        : out_(out), shown_(shown), order_(order), fixes_(fixes) {}

    void found(const finding& what) override {
        if (out_ != nullptr) out_->found(what);
        shown_.count(what);
        if (order_ != nullptr) order_->found(what);
    }
    void fixable(const fix& change) override {
        if (fixes_ != nullptr && shown_.selected(change.check)) fixes_->add(change);
    }
    void reading(const line& current, linekind kind) override {
        if (order_ != nullptr) order_->online(current, kind);
    }

private:
    report* out_;  // none where no report or console is written
    shownfindings& shown_;
    fileorder* order_;
    patch* fixes_;
};

}  // namespace

runstatus runphases(const runfiles& files, gamelist& list, shownfindings& shown, const titleindex* titles,
                    patch* fixes, const dialect& rules) {
    runstatus status;
    std::FILE* console = files.console;
    prints(console, "Processing MAME Output\n");
    if (console != nullptr) {
        std::fprintf(console, "MAME output successfully processed - current version supports %d games\n\n",
                     list.count);
    }

    report out(files.results, files.warnings, console);
    writeresultsheader(out, list.count);
    std::optional<fileorder> order;
    if (shown.inorder()) order.emplace(shown, list, files.cheatfile);
    bool reporting = files.results != nullptr || files.console != nullptr;
    fanout findings(reporting ? &out : nullptr, shown, order ? &*order : nullptr, fixes);

    // The first pass reads on to the end of the file and notes the lines
    // the character scan will report, so the scan need not read it all.
    highbytelines highlines;
    {
        linereader reader(files.cheatfile);
        reader.notehighbytes(&highlines);
        runcrosscheck(reader, list, findings, titles, fixes != nullptr, rules);
        for (line rest; reader.next(rest);) {
        }
    }
    notereaderror(files.cheatfile, status.cheatfilereadfailed);
    if (!runcharscan(files.cheatfile, highlines, findings)) {
        status.cheatfilereadfailed = true;
    }
    notereaderror(files.cheatfile, status.cheatfilereadfailed);

    rewindchecked(files.cheatfile, status.cheatfilereadfailed);
    writewarningsheader(out, list.count);
    {
        linereader reader(files.cheatfile);
        runfieldcheck(reader, findings, fixes != nullptr, rules, files.cheatfile);
        // What is shown goes on to the end of the file: the character scan's
        // findings after the end marker wait for their lines.
        if (order) {
            for (line rest; reader.next(rest);) order->online(rest, linekind::other);
            order->finish();
        }
    }
    notereaderror(files.cheatfile, status.cheatfilereadfailed);

    writesummary(out);
    return status;
}
