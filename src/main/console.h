#pragma once

#include <cstdio>
#include <string>

// A command line not understood: one line on standard error, and the hint.
void sayusage(const std::string& problem);

// Everything the run driver says. Normally the transcript, on standard
// output; when standard output carries diagnostics, only what went wrong,
// one "vettle: error: ..." or "vettle: warning: ..." line each on standard
// error. Names come from the command line and the host and are shown with
// their control characters escaped.
class console {
public:
    explicit console(bool quiet) : quiet_(quiet) {}

    // Where the transcript goes: standard output, or nowhere.
    std::FILE* transcript() const { return quiet_ ? nullptr : stdout; }

    void banner() const;
    void emulatorfailed() const;  // it ended with exit code 1
    // The emulator could not be started, so nothing was checked. `named`:
    // given with --emulator, and named on the console with why; the bare
    // run keeps MAME's own lines.
    void emulatornotstarted(const char* program, const char* why, bool named) const;
    void emulatorcrashed(const char* why) const;
    // `reason`, when given, is a sentence; `other`, when given, a name that
    // stands in it at "%s".
    void cannotopen(const char* name, const char* reason = nullptr, const char* other = nullptr) const;
    // `what` is "read all of" or "write to"; `consequence` a sentence.
    void failed(const char* what, const char* name, const char* consequence) const;
    // An input that is not what it should be: `what` is "the game list" or
    // "the baseline"; where in it and why.
    void unreadable(const char* what, const char* name, long long line, long long column, const char* reason) const;
    // How much a baseline hid; said on standard error in every mode.
    void baselinehid(const char* name, long long hidden, long long gone) const;
    void completed(const char* results, const char* warnings) const;
    void completedwithoutreports() const;
    void tempnotdeleted(const char* name) const;
    // Standard output, where it is the product, could not be written.
    void outputfailed(const char* why) const;

private:
    bool quiet_;
};
