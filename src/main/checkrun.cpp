#include "checkrun.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "checks/dialect.h"
#include "config.h"
#include "console.h"
#include "exitcodes.h"
#include "filerules.h"
#include "fixinplace.h"
#include "gamelist/listsource.h"
#include "gamelist/readgamelist.h"
#include "gamelist/titleindex.h"
#include "host.h"
#include "report/baseline.h"
#include "report/emitter.h"
#include "report/patch.h"
#include "report/shown.h"
#include "report/statistics.h"
#include "engine/runphases.h"
#include "runfiles.h"
#include "text/escaped.h"

namespace fs = std::filesystem;

namespace {

// The findings of a run that prints none of them (--silent, --statistics,
// --diff): they are counted and fixed, never written.
class unshown final : public emitter {
public:
    void startfile(const emitfile&) override {}
    void finding(const struct finding&, const place&, std::string_view) override {}
    void nocheatentries(long long) override {}
};

// A cheat file of the run: the name it is shown by, and where it is read.
struct cheatpath {
    std::string shown;  // as given, or found in a folder given; --stdin-filename for "-"
    std::string name;   // "-" for standard input
};

// A game list, read once however many files use it.
struct readlist {
    std::unique_ptr<gamelist> list = std::make_unique<gamelist>();
    std::unique_ptr<titleindex> titles;
};

// Where a list comes from: a file, "-", or a program run for its
// -listfull.
struct listorigin {
    std::string gamelist;
    std::string emulator;
    std::string key() const { return emulator.empty() ? "list:" + gamelist : "emulator:" + emulator; }
};

// What the command line and the config file ask of the run.
struct settings {
    listorigin common;  // the command line's list, or the config's game-list or emulator
    std::optional<configfile> config;
    bool selected[checkcount] = {};
    std::string baseline, writebaseline;
};

// The list of one cheat file: the command line's, else the first
// per-file-game-list pattern of the config that matches it, else the
// config's game-list or emulator.
listorigin listof(const settings& run, const options& chosen, const std::string& cheat) {
    if (!chosen.gamelist.empty() || !chosen.emulator.empty() || !run.config || cheat == "-") return run.common;
    const configfile& config = *run.config;
    const std::string* list = gamelistfor(config, configrelative(config, cheat), namescasesensitive());
    if (list != nullptr) return {configpath(config, *list), ""};
    return run.common;
}

// The dialect of one cheat file: the command line's, else the config's
// for it, else the classic one.
const dialect& dialectof(const settings& run, const options& chosen, const std::string& cheat) {
    const std::string* name = chosen.dialect.empty() ? nullptr : &chosen.dialect;
    if (name == nullptr && run.config) {
        // Standard input matches no pattern: the config's own dialect.
        const configfile& config = *run.config;
        name = cheat == "-" ? (config.dialect ? &*config.dialect : nullptr)
                            : dialectfor(config, configrelative(config, cheat), namescasesensitive());
    }
    const dialect* found = name != nullptr ? finddialect(*name) : nullptr;
    return found != nullptr ? *found : classicdialect();
}

// The checks chosen: the default set holds what is usual in the dialect; a
// --select on the command line replaces it, or else the config's select;
// --extend-select and --ignore from both add and take away, --ignore last.
void choosechecks(const options& chosen, const configfile* config, const dialect& rules, bool* selected) {
    bool selectgiven = chosen.selectgiven || (config != nullptr && config->select);
    for (const checkinfo& check : checktable) selected[static_cast<int>(check.id)] = rules.usual(check.id) && !selectgiven;
    std::string unused;
    namechecks(chosen.selectgiven || config == nullptr || !config->select ? chosen.select : *config->select, selected,
               true, "--select", unused);
    namechecks(chosen.extendselect, selected, true, "--extend-select", unused);
    if (config != nullptr) namechecks(config->extendselect, selected, true, "extend-select", unused);
    namechecks(chosen.ignore, selected, false, "--ignore", unused);
    if (config != nullptr) namechecks(config->ignore, selected, false, "ignore", unused);
}

void problem(const std::string& text) { std::fputs(("vettle: " + escaped(text) + "\n").c_str(), stderr); }

bool endswithdat(const std::string& name) {
    if (name.size() < 4) return false;
    std::string end = name.substr(name.size() - 4);
    if (!namescasesensitive()) {
        for (char& c : end) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return end == ".dat";
}

// What a file holds, from its first bytes: a game list of a structured
// form (XML, ClrMamePro) is no cheat file.
bool isgamelist(const std::string& name) {
    std::FILE* file = openinput(name);
    if (file == nullptr) return false;
    listsource source(file);
    bool list = recogniselist(source.start(true)) != listformat::listfull;
    std::fclose(file);
    return list;
}

// Whether `name` is a game list the run is told of.
bool isalist(const settings& run, const std::string& name) {
    std::vector<std::string> lists;
    if (!run.common.gamelist.empty() && run.common.gamelist != "-") lists.push_back(run.common.gamelist);
    if (run.config) {
        for (const auto& [pattern, list] : run.config->perfilegamelist) lists.push_back(configpath(*run.config, list));
    }
    for (const std::string& list : lists) {
        if (samefile(name, list)) return true;
    }
    return false;
}

// The cheat files the paths name: a folder's files ending in .dat, sorted
// by name, but for the game list, the baseline and what reads as a game
// list. An exit code when a path is missing or a folder holds none.
int expandpaths(const options& chosen, const settings& run, std::vector<cheatpath>& files) {
    std::vector<std::string> paths = chosen.paths;
    if (paths.empty()) paths.push_back("cheat.dat");
    for (const std::string& path : paths) {
        if (path == "-") {
            files.push_back({chosen.stdinfilename.empty() ? std::string("-") : chosen.stdinfilename, "-"});
            continue;
        }
        std::error_code error;
        fs::file_status status = fs::status(fs::u8path(path), error);
        if (!fs::exists(status)) {
            problem("error: failed to read from '" + path + "'. There is no such file or folder.");
            return exitcode::cannotopen;
        }
        // A pipe gives its bytes once, and opening one waits for a writer.
        if (fs::is_fifo(status)) {
            problem("error: failed to read from '" + path + "'. It must be a file that can be read three times, not a pipe.");
            return exitcode::cannotopen;
        }
        if (!fs::is_directory(status)) {
            files.push_back({path, path});
            continue;
        }
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(fs::u8path(path), error)) {
            std::string name = entry.path().filename().u8string();
            if (entry.is_directory(error) || !endswithdat(name)) continue;
            if (!entry.is_regular_file(error)) {
                problem("note: leaving out '" + path + "/" + name + "': it is not a file (a pipe or a device)");
                continue;
            }
            found.push_back(name);
        }
        std::sort(found.begin(), found.end());
        std::size_t before = files.size();
        for (const std::string& name : found) {
            std::string full = path + (path.back() == '/' || path.back() == '\\' ? "" : "/") + name;
            const char* why = nullptr;
            if (isalist(run, full)) {
                why = "the game list";
            } else if ((!run.baseline.empty() && samefile(full, run.baseline)) ||
                       (!run.writebaseline.empty() && samefile(full, run.writebaseline))) {
                why = "the baseline";
            } else if (isgamelist(full)) {
                why = "it reads as a game list";
            }
            if (why != nullptr) {
                problem("note: leaving out '" + full + "': " + why);
            } else {
                files.push_back({full, full});
            }
        }
        if (files.size() == before) {
            problem("error: failed to read from '" + path + "'. It holds no cheat file (*.dat).");
            return exitcode::cannotopen;
        }
    }
    // A file named twice (a folder and a file in it, say) is checked once.
    std::vector<std::string> seen;
    std::vector<cheatpath> once;
    for (const cheatpath& file : files) {
        std::error_code error;
        std::string identity = file.name == "-" ? std::string("-")
                                                : fs::weakly_canonical(fs::absolute(fs::u8path(file.name), error), error).u8string();
        if (std::find(seen.begin(), seen.end(), identity) != seen.end()) continue;
        seen.push_back(identity);
        once.push_back(file);
    }
    files = once;
    return 0;
}

// Reads one game list whole; an exit code when it cannot be.
int readonelist(const listorigin& run, readlist& out) {
    const console say(true);
    std::string name = run.gamelist;
    std::string temporary;
    if (!run.emulator.empty()) {
        temporary = scratchname();
        programrun ran = temporary.empty() ? programrun{programrun::nooutput, 0, ""}
                                           : runprogram(run.emulator.c_str(), "-listfull", temporary.c_str());
        if (ran.outcome != programrun::ran) {
            if (!temporary.empty()) removefile(temporary.c_str());
            if (ran.outcome == programrun::crashed) {
                say.emulatorcrashed(ran.why);
            } else if (ran.outcome == programrun::nooutput) {
                say.cannotopen("a temporary file for the emulator's list");
            } else {
                say.emulatornotstarted(run.emulator.c_str(), ran.why, true);
            }
            return ran.outcome == programrun::nooutput ? exitcode::cannotopen : exitcode::readfailed;
        }
        if (ran.exitcode == 1) say.emulatorfailed();
        name = temporary;
    }
    std::FILE* file = nullptr;
    if (name == "-") {
        makestdinbinary();
        file = stdin;
    } else {
        file = openinput(name);
    }
    if (file == nullptr) {
        say.cannotopen(run.gamelist.c_str());
        return exitcode::cannotopen;
    }
    listreading reading = readgamelist(file, *out.list, run.emulator.empty());
    if (file != stdin) std::fclose(file);
    if (!temporary.empty()) removefile(temporary.c_str());
    std::string shownname = run.emulator.empty() ? run.gamelist : run.emulator + " -listfull";
    if (reading.readfailed) {
        say.failed("read all of", shownname.c_str(), "Nothing was checked.");
        return exitcode::readfailed;
    }
    if (reading.problem.found) {
        const listproblem& bad = reading.problem;
        say.unreadable("the game list", shownname.c_str(), bad.line, bad.column, bad.reason);
        return exitcode::readfailed;
    }
    out.titles = std::make_unique<titleindex>(*out.list);
    return 0;
}

// Standard input, read whole into a file of its own: the passes read a
// cheat file three times.
std::FILE* copystdin() {
    std::FILE* copy = scratchfile();
    if (copy == nullptr) return nullptr;
    makestdinbinary();
    char block[1 << 16];
    for (std::size_t got; (got = std::fread(block, 1, sizeof block, stdin)) > 0;) {
        if (std::fwrite(block, 1, got, copy) != got) {
            std::fclose(copy);
            return nullptr;
        }
    }
    if (std::ferror(stdin) || std::fflush(copy) != 0 || std::fseek(copy, 0, SEEK_SET) != 0) {
        std::fclose(copy);
        return nullptr;
    }
    return copy;
}

// What the whole run has shown.
struct totals {
    long long counts[checkcount] = {};
    long long errors = 0, warnings = 0, fixable = 0, files = 0;
    long long fixed = 0;    // findings --fix removed
    long long changes = 0;  // what --diff changes
    bool readfailed = false;
};

// "3 errors", "1 warning": a count and its word.
std::string counted(long long count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

void putsummary(reportwriter& out, const totals& seen) {
    std::string files = counted(seen.files, "file");
    if (seen.errors == 0 && seen.warnings == 0) {
        out.put("All checks passed (" + files + ").\n");
        return;
    }
    std::string found = "Found ";
    if (seen.errors > 0) found += counted(seen.errors, "error");
    if (seen.errors > 0 && seen.warnings > 0) found += " and ";
    if (seen.warnings > 0) found += counted(seen.warnings, "warning");
    found += " in " + files;
    if (seen.fixable > 0) found += " (" + std::to_string(seen.fixable) + " fixable with --fix)";
    out.put(found + ".\n");
}

// Checks one cheat file against its list; what it shows adds to `seen`.
// What one file's check needs besides the file itself.
struct filerun {
    const settings& run;
    const options& chosen;
    baseline* known;
    baselinewriter* record;
    reportwriter& findings;  // the diagnostics, the statistics and the summary
    reportwriter& patchout;  // the patch of --diff, the fixed text of "-" with --fix
    std::string patchname;   // the file's name in the patch
    emitter& lines;          // the findings, in the format chosen
};

// One run of the passes over `file`, from its start. A read failure is
// noted in `seen`.
runstatus passes(std::FILE* file, gamelist& list, shownfindings& shown, const titleindex* titles, patch* fixes,
                 const dialect& rules) {
    if (std::fseek(file, 0, SEEK_SET) != 0) return runstatus{true};
    std::clearerr(file);
    return runphases({file, nullptr, nullptr, nullptr}, list, shown, titles, fixes, rules);
}

// --fix: the file's certain fixes written into it (or, for standard input,
// out with the rest of its text), and `file` then the fixed file, to be
// checked again. How many shown findings the fixes removed goes to `seen`;
// an exit code when the file cannot be written.
int writefixes(const cheatpath& path, const fileseen& before, std::FILE*& file, readlist& games, showing asked,
               const filerun& how, const dialect& rules, totals& seen) {
    const console say(true);
    asked.lines = nullptr;
    asked.known = how.known;  // what the baseline hides is not fixed
    asked.record = nullptr;
    shownfindings first(asked);
    patch fixes(*games.list);
    std::optional<baseline::progress> matched;
    if (how.known != nullptr) matched = how.known->saved();
    if (passes(file, *games.list, first, games.titles.get(), &fixes, rules).cheatfilereadfailed) return exitcode::readfailed;
    if (matched) how.known->restore(*matched);
    fixes.keepshown(first);
    long long removed = first.fixable(fixes.made());
    if (path.name == "-") {
        std::FILE* fixed = scratchfile();
        if (fixed == nullptr) return exitcode::cannotopen;
        reportwriter copy(fixed);
        bool read = fixes.writefixed(file, copy);
        copy.flush();
        // Read next: what was written must be in the file before.
        bool written = read && !copy.failed() && std::fflush(fixed) == 0 && fixes.writefixed(file, how.patchout);
        std::fclose(file);
        file = fixed;
        if (!written) return read ? exitcode::writefailed : exitcode::readfailed;
        seen.fixed += removed;
        return 0;
    }
    if (fixes.changecount() == 0) return 0;
    std::string why;
    int code = fixinplace(path.name, before, [&](reportwriter& into) {
        bool read = fixes.writefixed(file, into);
        std::fclose(file);
        file = nullptr;
        return read;
    }, why);
    if (file == nullptr) file = openinput(path.name);
    if (code != 0) {
        say.failed("write to", path.shown.c_str(), why.c_str());
        return code;
    }
    if (file == nullptr) {
        say.cannotopen(path.shown.c_str());
        return exitcode::cannotopen;
    }
    seen.fixed += removed;
    return 0;
}

// Checks one cheat file against its list; what it shows adds to `seen`.
int checkone(const cheatpath& path, readlist& games, const filerun& how, totals& seen) {
    const settings& run = how.run;
    const options& chosen = how.chosen;
    const console say(true);
    const dialect& rules = dialectof(run, chosen, path.name);
    bool selected[checkcount] = {};
    choosechecks(chosen, run.config ? &*run.config : nullptr, rules, selected);
    if (run.config && path.name != "-") {
        std::string unused;
        namechecks(ignoresfor(*run.config, configrelative(*run.config, path.name), namescasesensitive()), selected,
                   false, "per-file-ignores", unused);
    }
    // Seen before it is opened, so that a file put in its place meanwhile
    // is never overwritten; refused before it is checked.
    fileseen before;
    if (chosen.fix && path.name != "-") {
        std::string why = "It is gone.";
        if (!seefile(path.name.c_str(), before) || !mayfixinplace(path.name, before, why)) {
            say.failed("write to", path.shown.c_str(), why.c_str());
            return exitcode::cannotopen;
        }
    }
    std::FILE* file = path.name == "-" ? copystdin() : opencheatfile(path.name, say);
    if (file == nullptr) {
        if (path.name == "-") say.failed("read all of", "standard input", "Nothing was checked.");
        return path.name == "-" ? exitcode::readfailed : exitcode::cannotopen;
    }
    gamelist& list = *games.list;
    showing asked;
    std::copy(std::begin(selected), std::end(selected), std::begin(asked.selected));
    suppressions suppressed;
    suppressed.read(file);
    asked.suppressed = &suppressed;
    if (chosen.fix) {
        if (int code = writefixes(path, before, file, games, asked, how, rules, seen)) {
            if (file != nullptr) std::fclose(file);
            return code;
        }
        // The fixed file's, from its start.
        if (std::fseek(file, 0, SEEK_SET) != 0) {
            std::fclose(file);
            return exitcode::readfailed;
        }
        suppressed.read(file);
    }
    // A file with suppressions is checked once to learn which of them hide
    // something, so that those that hide nothing are told at their lines.
    bool readfailed = false;
    if (!suppressed.empty()) {
        shownfindings dry(asked);
        readfailed = passes(file, list, dry, games.titles.get(), nullptr, rules).cheatfilereadfailed;
        suppressed.setknown();
    }
    patch fixes(list);
    how.lines.startfile({path.shown, list, games.titles.get(), &fixes, suppressed.empty() && how.known == nullptr});
    asked.lines = &how.lines;
    asked.known = how.known;
    asked.record = how.record;
    shownfindings shown(asked);
    readfailed = readfailed || passes(file, list, shown, games.titles.get(), &fixes, rules).cheatfilereadfailed;
    fixes.keepshown(shown);
    how.lines.endfile(&fixes);
    if (chosen.diff && !readfailed && !fixes.write(file, how.patchname, how.patchout)) readfailed = true;
    std::fclose(file);
    if (readfailed) {
        say.failed("read all of", path.shown.c_str(), "Its findings are incomplete.");
        seen.readfailed = true;
    }
    for (const checkinfo& check : checktable) {
        long long count = shown.shown(check.id);
        seen.counts[static_cast<int>(check.id)] += count;
        if (check.level == severity::error) seen.errors += count;
        if (check.level == severity::warning) seen.warnings += count;
    }
    seen.fixable += shown.fixable(fixes.made());
    seen.changes += fixes.changecount();
    ++seen.files;
    return 0;
}

// The config file: the one named, or the one found from the current folder
// upward, unless --isolated. An exit code when it cannot be read.
int loadconfig(const options& chosen, settings& run) {
    if (chosen.isolated) return 0;
    std::optional<std::string> path = chosen.config.empty() ? findconfig(".") : chosen.config;
    if (!path) return 0;
    run.config.emplace();
    std::string error;
    if (!readconfig(*path, *run.config, error)) {
        sayusage(error);
        return exitcode::usage;
    }
    return 0;
}

}  // namespace

int runpaths(const options& chosen) {
    settings run;
    if (int code = loadconfig(chosen, run)) return code;
    const configfile* config = run.config ? &*run.config : nullptr;
    run.common = {chosen.gamelist, chosen.emulator};
    if (run.common.gamelist.empty() && run.common.emulator.empty() && config != nullptr) {
        if (config->gamelist) run.common.gamelist = configpath(*config, *config->gamelist);
        if (config->emulator) run.common.emulator = configprogram(*config, *config->emulator);
    }
    run.baseline = chosen.baseline;
    if (run.baseline.empty() && config != nullptr && config->baseline) run.baseline = configpath(*config, *config->baseline);
    run.writebaseline = chosen.writebaseline;
    // Each file's own set follows its dialect; this one, the command line's
    // dialect's, is the run's.
    const dialect* given = chosen.dialect.empty() ? nullptr : finddialect(chosen.dialect);
    choosechecks(chosen, config, given != nullptr ? *given : classicdialect(), run.selected);
    bool perfilelists = config != nullptr && !config->perfilegamelist.empty();
    if (run.common.gamelist.empty() && run.common.emulator.empty() && !perfilelists) {
        sayusage("'vettle check' needs a game list: --game-list FILE, --emulator PROGRAM, or game-list in "
                 "vettle.toml");
        return exitcode::usage;
    }

    std::vector<cheatpath> files;
    if (int code = expandpaths(chosen, run, files)) return code;

    // Names that would make an input an output, or an output a pipe, before
    // anything is written.
    std::vector<std::string> cheatfiles, listfiles;
    for (const cheatpath& path : files) {
        if (path.name == "-") continue;
        cheatfiles.push_back(path.name);
        listorigin list = listof(run, chosen, path.name);
        if (list.emulator.empty() && list.gamelist != "-" &&
            std::find(listfiles.begin(), listfiles.end(), list.gamelist) == listfiles.end()) {
            listfiles.push_back(list.gamelist);
        }
    }
    bool fixedtextout = chosen.fix && std::find(chosen.paths.begin(), chosen.paths.end(), "-") != chosen.paths.end();
    const char* onstdout = chosen.diff ? "the patch" : fixedtextout ? "the fixed text" : "the findings";
    if (checkrefused(cheatfiles, listfiles, run.baseline, run.writebaseline, chosen.fix, onstdout)) {
        return exitcode::cannotopen;
    }

    // Each list once, before anything is checked.
    std::map<std::string, readlist> lists;
    for (const cheatpath& path : files) {
        listorigin source = listof(run, chosen, path.name);
        if (source.gamelist.empty() && source.emulator.empty()) {
            sayusage("no game list for '" + path.shown + "': --game-list FILE, --emulator PROGRAM, or game-list in " +
                     "vettle.toml");
            return exitcode::usage;
        }
        if (lists.count(source.key()) > 0) continue;
        if (int code = readonelist(source, lists[source.key()])) return code;
    }

    const console say(true);
    std::optional<baseline> known;
    if (!run.baseline.empty()) {
        std::FILE* file = openinput(run.baseline);
        if (file == nullptr) {
            say.cannotopen(run.baseline.c_str());
            return exitcode::cannotopen;
        }
        known.emplace();
        long long bad = known->read(file);
        std::fclose(file);
        if (bad != 0) {
            say.unreadable("the baseline", run.baseline.c_str(), bad, 1, "not a finding (CHECK, a tab, MESSAGE, a tab, LINE)");
            return exitcode::readfailed;
        }
    }
    std::optional<baselinewriter> record;
    wholeoutput recordfile;
    if (!run.writebaseline.empty()) {
        std::FILE* file = recordfile.open(run.writebaseline);
        if (file == nullptr) {
            say.cannotopen(run.writebaseline.c_str());
            return exitcode::cannotopen;
        }
        record.emplace(file);
    }

    // The patch names each file from the current folder; each must be one
    // it can name, which is known before anything is printed.
    std::vector<std::string> patchnames(files.size());
    if (chosen.diff) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (files[i].name == "-") {
                patchnames[i] = chosen.stdinfilename;
                if (patchnames[i].empty()) {
                    sayusage("option '--diff' needs '--stdin-filename NAME' to name standard input in the patch");
                    return exitcode::usage;
                }
                if (!patchname(patchnames[i])) return exitcode::usage;
                continue;
            }
            if (!patchpath(files[i].name, patchnames[i])) return exitcode::usage;
        }
    }
    // Standard output carries the findings, or the patch, or with "-" and
    // --fix the fixed text, and the findings then go to standard error.
    bool fixedtext = fixedtextout;
    if (chosen.diff || fixedtext) makestdoutbinary();
    // What goes out is seen to go out: a write that fails is told.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    reportwriter product(chosen.silent ? nullptr : fixedtext ? stderr : stdout);
    reportwriter patchout(chosen.diff || fixedtext ? stdout : nullptr);
    // The findings in the format chosen; --statistics and --diff print
    // instead of them whatever it is.
    std::string formatname = !chosen.outputformat.empty() ? chosen.outputformat
                             : config != nullptr && config->outputformat ? *config->outputformat
                                                                         : "concise";
    const formatinfo& format = *findformat(formatname);
    // Findings that are not printed are not written at all.
    bool quiet = chosen.silent || chosen.statistics || chosen.diff;
    std::unique_ptr<emitter> lines = quiet ? std::make_unique<unshown>() : format.make(product);
    lines->begin();
    totals seen;
    int code = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const cheatpath& path = files[i];
        filerun how{run,      chosen,   known ? &*known : nullptr, record ? &*record : nullptr, product,
                    patchout, patchnames[i], *lines};
        int failed = checkone(path, lists[listof(run, chosen, path.name).key()], how, seen);
        if (code == 0) code = failed;
    }
    lines->end();
    patchout.flush();
    if (patchout.failed() && !readerhasgone(patchout.error())) {
        say.outputfailed(errortext(patchout.error()).c_str());
        if (code == 0) code = exitcode::writefailed;
    }
    if (record) {
        if (!recordfile.place(record->close(), !seen.readfailed && code == 0)) {
            say.failed("write to", run.writebaseline.c_str(),
                       recordfile.keepsold() ? "The baseline is left as it was." : "The baseline is incomplete.");
            if (code == 0) code = exitcode::writefailed;
        }
    }
    if (known) {
        long long gone = known->gone(run.selected);
        say.baselinehid(run.baseline.c_str(), known->hidden(), gone);
    }
    if (chosen.statistics) writestatistics(product, seen.counts);
    if (!chosen.quiet && !chosen.diff && (format.summary || chosen.statistics)) {
        // Apart from what was printed, if anything was.
        if (product.total() > 0) product.put("\n");
        if (chosen.fix) product.put("Fixed " + counted(seen.fixed, "finding") + ".\n");
        putsummary(product, seen);
    }
    product.flush();
    if (product.failed() && !readerhasgone(product.error())) {
        say.outputfailed(errortext(product.error()).c_str());
        if (code == 0) code = exitcode::writefailed;
    }
    if (code == 0 && seen.readfailed) code = exitcode::readfailed;
    if (code != 0) return code;
    // A patch that changes something fails as an error shown would.
    bool failing = chosen.diff ? seen.changes > 0 : seen.errors > 0;
    return failing && !chosen.exitzero ? exitcode::findings : exitcode::completed;
}
