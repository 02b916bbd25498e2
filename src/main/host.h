#pragma once

#include <cstdio>
#include <string>
#include <vector>

// The one place that knows the host: arguments, signals, running the
// emulator, opening and removing files by name. Names are UTF-8 on every
// host.

// First thing in a run: a console whose reader has gone must not end the
// tool, and the emulator's end must be seen whatever signal dispositions
// the tool was started with.
void preparehost();

// The command line's arguments, the program's name first, as UTF-8.
std::vector<std::string> hostarguments(int argc, char** argv);

// How a program run for its output ended.
struct programrun {
    enum {
        ran,         // it exited; `exitcode` holds its code
        crashed,     // it ended by a signal (or a Windows exception): its output is cut short
        notstarted,  // it could not be started; its output is empty
        nooutput,    // the output file could not be made; nothing was started
    } outcome;
    int exitcode;   // when it ran
    char why[160];  // when it crashed ("signal 11 (Segmentation fault)") or did not start ("not found")
};

// Runs a simple command line (a program, its arguments, redirections)
// through the host's command interpreter, which looks for the program in
// the current folder first and runs it in its own place where the host
// can, so that a program that crashes is seen to. The interpreter's own
// failure to find or start the program counts as not started. An
// interrupt that ends the command ends the tool the same way, so that
// nothing is written from a list cut short.
programrun runcommand(const char* command);

// Runs `program` with the one argument `argument`, no interpreter between,
// its standard output going to `outputname`, which must not exist and is
// created anew (never through a link). The program is looked for as the
// host looks for one: a bare name in the current folder first, then along
// PATH. Interrupts as for runcommand. When the program cannot be started
// the output file is still created, empty.
programrun runprogram(const char* program, const char* argument, const char* outputname);

// std::fopen for a UTF-8 name.
std::FILE* openfile(const char* name, const char* mode);

// Removes the file `name` (a link itself, never what it points to). True
// when no file of that name is left.
bool removefile(const char* name);

// Creates the file `name` for writing as bytes, failing if anything has
// that name already. Null when not made.
std::FILE* createfile(const char* name);

// Puts the file `from` in the place of `to` in one step, so `to` is either
// what it was or all of `from`. False when it could not.
bool replacefile(const char* from, const char* to);

// A file for the run's own use, read and written as bytes, gone when
// closed: standard input's copy, say. Null when none can be made.
std::FILE* scratchfile();

// The name of a file that does not exist yet, in the host's folder for
// temporary files; empty when none can be found.
std::string scratchname();

// Whether the host's file names differ by letter case (POSIX) or not
// (Windows).
bool namescasesensitive();

// What a name is at one moment, its own link not followed: enough to tell
// whether it may be rewritten, and whether it is still the file it was.
struct fileseen {
    bool link = false;       // a symbolic link (any reparse point on Windows)
    bool regular = false;    // a plain file: no link, folder, device or pipe
    bool readonly = false;   // no write permission bit at all (POSIX) or the read-only attribute
    unsigned long long links = 0;  // names of the file (hard links)
    unsigned long long volume = 0;
    unsigned long long index = 0;  // the inode or the file index, on its volume
    unsigned long long size = 0;
    unsigned long long modified = 0;  // last written, in the host's units
    unsigned long mode = 0;  // the mode's permission bits (POSIX) or the attributes (Windows)
    unsigned long owner = 0;  // POSIX: user and group
    unsigned long group = 0;
};

// False when nothing has that name (or it cannot be looked at).
bool seefile(const char* name, fileseen& out);

// Makes the file `file`, open for writing from createfile, ready to take
// the place of the file seen as `like`: written out, on the disk, given its
// owner and permissions where they go with the bytes (POSIX), and closed
// (closed also when it fails). False, errno set where the C runtime or
// POSIX tells it, when any of that failed.
bool closelike(std::FILE* file, const fileseen& like);

// Puts the file `from`, made ready by closelike, in the place of `to` in one
// step; where attributes and access rights go with the name (Windows), `to`
// keeps its own. False when it could not; `to` is then as it was.
bool replacekeeping(const char* from, const char* to);

// Whether standard input is the file `name` itself (not a copy of it).
bool stdinisfile(const char* name);

// Whether standard output is the file `name` itself; `name`'s own link is
// followed unless `follow` is false (the temporary file, whose link is
// removed, never written through).
bool stdoutisfile(const char* name, bool follow = true);

// Standard input gives its bytes unchanged, as a file opened in binary does;
// standard output takes them unchanged.
void makestdinbinary();
void makestdoutbinary();

// The words the host has for an error number.
std::string errortext(int error);

// True when a write failed only because its reader has gone (a pipe).
bool readerhasgone(int error);
