#pragma once

// The one place that knows the host: signals, running the emulator, and
// removing files by name.

// First thing in a run: a console whose reader has gone must not end the
// tool, and the emulator's end must be seen whatever signal dispositions
// the tool was started with.
void preparehost();

// Runs a command line through the host's command interpreter, which looks
// for the program in the current folder first, and returns the command's
// exit code (-1 when the interpreter could not be run). An interrupt that
// ends the command ends the tool the same way, so that nothing is written
// from a list cut short.
int runcommand(const char* command);

struct programrun {
    enum { ran, notstarted, nooutput } outcome;
    int exitcode;    // when it ran
    char why[160];   // when it did not start: "not found", or the host's words
};

// Runs `program` with the one argument `argument`, no interpreter between,
// its standard output going to `outputname`, which must not exist and is
// created anew (never through a link). The program is looked for as the
// host looks for one: a bare name in the current folder first, then along
// PATH. Interrupts as for runcommand. When the program cannot be started
// the output file is still created, empty.
programrun runprogram(const char* program, const char* argument, const char* outputname);

// Removes the file `name` (a link itself, never what it points to). True
// when no file of that name is left.
bool removefile(const char* name);

// Standard input gives its bytes unchanged, as a file opened in binary does.
void makestdinbinary();
