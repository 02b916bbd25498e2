#pragma once

#include <cstdio>

// Everything the run driver says. Normally the transcript, on standard
// output; when standard output carries diagnostics, only what went wrong,
// one "vettle: error: ..." or "vettle: warning: ..." line each on standard
// error. Names come from the command line and the host, and are only ever
// printed as they are.
class console {
public:
    explicit console(bool diagnostics) : diagnostics_(diagnostics) {}

    // Where the transcript goes: standard output, or nowhere.
    std::FILE* transcript() const { return diagnostics_ ? nullptr : stdout; }

    void banner() const;
    void emulatorfailed() const;  // it ended with exit code 1
    void emulatornotstarted(const char* program, const char* why) const;
    // `reason`, when given, is a sentence that may name `other` with %s.
    void cannotopen(const char* name, const char* reason = nullptr, const char* other = "") const;
    void toomanygames(int limit) const;
    // `what` is "read all of" or "write to"; `consequence` a sentence.
    void failed(const char* what, const char* name, const char* consequence) const;
    void completed(const char* results, const char* warnings) const;
    void tempnotdeleted(const char* name) const;

private:
    bool diagnostics_;
};
