#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host.h"

extern char** environ;

namespace {

// The tool ignores SIGPIPE; a child gets it back as the tool found it.
bool pipewasdefault = false;

volatile sig_atomic_t interrupted = 0;

void noteinterrupt(int signo) { interrupted = signo; }

// While a child runs, an interrupt is only noted: the child decides whether
// it ends the run. Signals the tool was started ignoring stay ignored.
class interruptwatch {
public:
    interruptwatch() {
        interrupted = 0;
        struct sigaction note {};
        note.sa_handler = noteinterrupt;
        sigemptyset(&note.sa_mask);
        for (int i = 0; i < 2; ++i) {
            sigaction(signals[i], nullptr, &previous_[i]);
            if (previous_[i].sa_handler != SIG_IGN) sigaction(signals[i], &note, nullptr);
        }
    }
    ~interruptwatch() {
        for (int i = 0; i < 2; ++i) sigaction(signals[i], &previous_[i], nullptr);
    }
    interruptwatch(const interruptwatch&) = delete;
    interruptwatch& operator=(const interruptwatch&) = delete;

    static constexpr int signals[2] = {SIGINT, SIGQUIT};

private:
    struct sigaction previous_[2];
};

// A child ended by an interrupt, or a shell that says its command was,
// ends the tool by the same signal, as a shell would end.
void followinterrupt(int status) {
    int signo = 0;
    if (WIFSIGNALED(status) && (WTERMSIG(status) == SIGINT || WTERMSIG(status) == SIGQUIT)) {
        signo = WTERMSIG(status);
    } else if (WIFEXITED(status) && interrupted != 0 && WEXITSTATUS(status) == 128 + interrupted) {
        signo = interrupted;
    }
    if (signo != 0) {
        std::fflush(stdout);
        std::signal(signo, SIG_DFL);
        std::raise(signo);
        _exit(128 + signo);
    }
}

// Starts `path` and waits for it: how it ended, with `error` set when it
// could not be started.
programrun spawnandwait(const char* path, char* const argv[], char* const envp[], int outputfd, int& error) {
    programrun run{programrun::notstarted, 0, ""};
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    if (pipewasdefault) sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputfd >= 0) posix_spawn_file_actions_adddup2(&actions, outputfd, STDOUT_FILENO);

    interruptwatch watch;
    pid_t child = 0;
    error = posix_spawn(&child, path, &actions, &attributes, argv, envp);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) return run;

    int status = 0;
    while (waitpid(child, &status, 0) == -1) {
        if (errno != EINTR) {
            error = errno;
            return run;
        }
    }
    followinterrupt(status);
    if (WIFSIGNALED(status)) {
        // A shell that runs the emulator in its own place passes its death
        // on; one that ran it as a child says 128 + N, which a program may
        // also exit with, so that is taken as a plain exit code.
        run.outcome = programrun::crashed;
        std::snprintf(run.why, sizeof run.why, "signal %d (%s)", WTERMSIG(status), strsignal(WTERMSIG(status)));
        return run;
    }
    run.outcome = programrun::ran;
    run.exitcode = WEXITSTATUS(status);
    return run;
}

// Where a bare program name is looked for: the current folder first, as on
// Windows, then PATH, however long.
std::string searchpath() {
    const char* inherited = std::getenv("PATH");
    return std::string(".:") + (inherited != nullptr ? inherited : "/usr/bin:/bin");
}

bool isprogram(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// A name with a slash is a path as it stands; empty when not found.
std::string findprogram(const char* program) {
    if (std::strchr(program, '/') != nullptr) return program;
    std::string folders = searchpath();
    std::size_t start = 0;
    for (;;) {
        std::size_t end = folders.find(':', start);
        std::string folder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + program;
        if (*program != '\0' && isprogram(candidate)) return candidate;
        if (end == std::string::npos) return {};
        start = end + 1;
    }
}

// One file by its device and inode, whichever of its names.
bool isfileof(int stream, const char* name, bool follow) {
    struct stat held, file;
    return fstat(stream, &held) == 0 && (follow ? stat(name, &file) : lstat(name, &file)) == 0 &&
           held.st_dev == file.st_dev && held.st_ino == file.st_ino;
}

}  // namespace

void preparehost() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    struct sigaction previous {};
    sigaction(SIGPIPE, &ignore, &previous);
    pipewasdefault = previous.sa_handler == SIG_DFL;
    // Ignored, children would vanish unwaited and take their exit codes along.
    std::signal(SIGCHLD, SIG_DFL);
}

std::vector<std::string> hostarguments(int argc, char** argv) { return {argv, argv + argc}; }

programrun runcommand(const char* command) {
    std::string path = "PATH=" + searchpath();
    std::vector<char*> environment;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        if (std::strncmp(*variable, "PATH=", 5) != 0) environment.push_back(*variable);
    }
    environment.push_back(path.data());
    environment.push_back(nullptr);
    // In the shell's own place, so that a program that dies by a signal is
    // seen to, rather than as the shell's exit code 128 + N.
    std::string inplace = std::string("exec ") + command;
    char shell[] = "sh";
    char option[] = "-c";
    char* const argv[] = {shell, option, inplace.data(), nullptr};
    int error = 0;
    programrun run = spawnandwait("/bin/sh", argv, environment.data(), -1, error);
    if (run.outcome == programrun::notstarted) {
        std::snprintf(run.why, sizeof run.why, "%s", std::strerror(error));
    } else if (run.outcome == programrun::ran && (run.exitcode == 126 || run.exitcode == 127)) {
        // The shell's words for a command it could not find or start.
        run.outcome = programrun::notstarted;
        std::snprintf(run.why, sizeof run.why, "%s", run.exitcode == 127 ? "not found" : "cannot be started");
    }
    return run;
}

programrun runprogram(const char* program, const char* argument, const char* outputname) {
    programrun run{programrun::ran, 0, ""};
    int output = open(outputname, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (output < 0) {
        run.outcome = programrun::nooutput;
        return run;
    }
    std::string path = findprogram(program);
    int error = 0;
    if (path.empty()) {
        error = ENOENT;
    } else {
        char* const argv[] = {const_cast<char*>(program), const_cast<char*>(argument), nullptr};
        run = spawnandwait(path.c_str(), argv, environ, output, error);
    }
    if (error != 0) {
        run.outcome = programrun::notstarted;
        std::snprintf(run.why, sizeof run.why, "%s", error == ENOENT ? "not found" : std::strerror(error));
    }
    close(output);
    return run;
}

std::FILE* openfile(const char* name, const char* mode) { return std::fopen(name, mode); }

bool removefile(const char* name) { return unlink(name) == 0 || errno == ENOENT; }

std::FILE* createfile(const char* name) {
    int fd = open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    std::FILE* file = fdopen(fd, "wb");
    if (file == nullptr) close(fd);
    return file;
}

bool replacefile(const char* from, const char* to) { return std::rename(from, to) == 0; }

std::FILE* scratchfile() { return std::tmpfile(); }

std::string scratchname() {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/vettle-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) return {};
    close(fd);
    unlink(pattern.c_str());
    return pattern;
}

bool namescasesensitive() { return true; }

bool seefile(const char* name, fileseen& out) {
    out = fileseen{};
    struct stat info;
    if (lstat(name, &info) != 0) return false;
    out.link = S_ISLNK(info.st_mode);
    out.regular = S_ISREG(info.st_mode);
    // From the bits, not access(): root may write anything, and a file no
    // one may write is read-only to it too.
    out.readonly = (info.st_mode & 0222) == 0;
    out.links = info.st_nlink;
    out.volume = info.st_dev;
    out.index = info.st_ino;
    out.size = static_cast<unsigned long long>(info.st_size);
    out.modified = static_cast<unsigned long long>(info.st_mtim.tv_sec) * 1000000000ULL +
                   static_cast<unsigned long long>(info.st_mtim.tv_nsec);
    out.mode = info.st_mode & 07777;
    out.owner = info.st_uid;
    out.group = info.st_gid;
    return true;
}

bool closelike(std::FILE* file, const fileseen& like) {
    int fd = fileno(file);
    struct stat made;
    bool done = std::fflush(file) == 0 && fstat(fd, &made) == 0;
    // The owner first: a new owner takes the set-id bits away. Only root may
    // give a file away; a file that cannot keep its owner is not replaced.
    if (done && (made.st_uid != like.owner || made.st_gid != like.group)) {
        done = fchown(fd, static_cast<uid_t>(like.owner), static_cast<gid_t>(like.group)) == 0;
    }
    done = done && fchmod(fd, static_cast<mode_t>(like.mode)) == 0 && fsync(fd) == 0;
    int error = errno;
    bool closed = std::fclose(file) == 0;
    if (!done) errno = error;
    return done && closed;
}

// The mode and owner went with the bytes.
bool replacekeeping(const char* from, const char* to) { return std::rename(from, to) == 0; }

bool stdinisfile(const char* name) { return isfileof(STDIN_FILENO, name, true); }

bool stdoutisfile(const char* name, bool follow) { return isfileof(STDOUT_FILENO, name, follow); }

// POSIX streams never translate.
void makestdinbinary() {}
void makestdoutbinary() {}

std::string errortext(int error) { return std::strerror(error); }

bool readerhasgone(int error) { return error == EPIPE; }
