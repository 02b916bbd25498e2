// The tool where it meets a POSIX host: a console reader that leaves, an
// interrupt, a pipe for cheat.dat, an old or linked temporary file, odd
// signal dispositions and a long PATH. Each run is started the way a shell
// starts a foreground job, with the dispositions a row asks for.

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "e2erun.h"

namespace {

using namespace e2e;

struct launch {
    bool ignorechildren = false;     // SIGCHLD ignored, as some launchers leave it
    bool longpath = false;           // PATH of 40 KB whose last folder is the run folder's bin
    int interrupt = 0;               // sent to the run's process group while the emulator waits
    bool readerquits = false;        // the console is a pipe whose reader leaves after one line
    const char* stdoutto = nullptr;  // standard output goes here instead of console.out
    // Standard input is a pipe that gives this and stays open: a list still
    // arriving, when the interrupt comes.
    std::string arriving;
    std::vector<std::string> arguments;
};

void waitfor(const std::function<bool()>& ready) {
    for (int i = 0; i < 2000 && !ready(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

// The tool's wait status.
int launchvettle(const fs::path& folder, const launch& how) {
    std::vector<char*> argv = {const_cast<char*>("vettle")};
    for (const std::string& argument : how.arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::string program = (folder / installvettle(folder)).string();
    std::string directory = folder.string();
    std::string path;
    if (how.longpath) {
        for (int i = 0; i < 2000; ++i) path += "/nonexistent/folder" + std::to_string(10000 + i) + ":";
        path += (folder / "bin").string() + ":/usr/bin:/bin";
    }
    int console[2] = {-1, -1};
    int input[2] = {-1, -1};
    if ((how.readerquits && pipe(console) != 0) || (!how.arriving.empty() && pipe(input) != 0)) return -1;
    pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        for (int signo : {SIGINT, SIGQUIT, SIGPIPE, SIGCHLD}) signal(signo, SIG_DFL);
        if (how.ignorechildren) signal(SIGCHLD, SIG_IGN);
        if (!path.empty()) setenv("PATH", path.c_str(), 1);
        if (chdir(directory.c_str()) != 0) _exit(126);
        int out = how.readerquits ? console[1]
                  : how.stdoutto  ? open(how.stdoutto, O_WRONLY)
                                  : open("console.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open("stderr.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (how.readerquits) close(console[0]), close(console[1]);
        if (!how.arriving.empty()) dup2(input[0], STDIN_FILENO), close(input[0]), close(input[1]);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    setpgid(child, child);
    if (how.readerquits) {
        close(console[1]);
        char c = 0;
        while (read(console[0], &c, 1) == 1 && c != '\n') {
        }
        close(console[0]);
    }
    if (!how.arriving.empty()) {
        close(input[0]);
        if (write(input[1], how.arriving.data(), how.arriving.size()) != static_cast<ssize_t>(how.arriving.size())) {
            return -1;
        }
        // The banner is out once the tool reads.
        waitfor([&] { return readfile(folder / "console.out").find("Importing") != std::string::npos; });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } else if (how.interrupt != 0) {
        // The stand-in has printed its whole list when it starts to wait.
        auto listsize = fs::file_size(folder / "listfull.txt");
        waitfor([&] {
            std::error_code missing;
            return fs::file_size(folder / "vettletemp.tmp", missing) == listsize;
        });
    }
    if (how.interrupt != 0) kill(-child, how.interrupt);
    int status = 0;
    waitpid(child, &status, 0);
    if (!how.arriving.empty()) close(input[1]);
    return status;
}

int exitcodeof(int status) { return WIFEXITED(status) ? WEXITSTATUS(status) : -1; }

bool chattr(const char* flag, const fs::path& file) {
    std::string command = std::string("chattr ") + flag + " '" + file.string() + "' 2>/dev/null";
    return std::system(command.c_str()) == 0;
}

// Whether files here can be made impossible to remove, even by root.
bool canmakeimmutable(const fs::path& folder) {
    fs::path probe = folder / "immutable-probe";
    writefile(probe, "");
    bool can = chattr("+i", probe) && chattr("-i", probe);
    fs::remove(probe);
    return can;
}

// A cheat file of many unlisted games, so the console is far larger than
// any pipe holds.
TEST(HostEdges, AConsoleReaderThatLeavesDoesNotStopTheRun) {
    std::string cheats;
    for (int i = 0; i < 5000; ++i) cheats += "; [ Game " + std::to_string(i) + " ]\n:gone" + std::to_string(i) + ":0\n";
    fs::path plain = prepare("empty-game-list", "reader-stays"), piped = prepare("empty-game-list", "reader-leaves");
    for (const fs::path& folder : {plain, piped}) {
        writefile(folder / "listfull.txt", "Name:     Description:\n");
        writefile(folder / "cheat.dat", cheats);
    }
    int reference = runvettle(plain);
    for (const char* option : {"", "--diagnostics"}) {
        SCOPED_TRACE(option);
        launch how;
        how.readerquits = true;
        if (*option != '\0') how.arguments = {option};
        int status = launchvettle(piped, how);
        EXPECT_EQ(exitcodeof(status), reference);
        EXPECT_EQ(readfile(piped / "stderr.out"), "");
        EXPECT_FALSE(fs::exists(piped / "vettletemp.tmp"));
        for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
            EXPECT_TRUE(readfile(piped / report) == readfile(plain / report)) << report << " differs";
        }
        EXPECT_GT(fs::file_size(piped / "cheatscanresults.txt"), 200000u);
    }
}

// An interrupt that ends the emulator ends the tool the same way, and one
// while a list still arrives on standard input ends it too: the list is
// read whole before any report is touched, so the last run's reports stay.
TEST(HostEdges, AnInterruptEndsTheToolAndKeepsOldReports) {
    launch listarriving;
    listarriving.interrupt = SIGINT;
    listarriving.arriving = "Name:             Description:\ndkong             \"Donkey Kong (US set 1)\"\n";
    listarriving.arguments = {"--game-list", "-"};
    launch emulatorint, emulatorquit;
    emulatorint.interrupt = SIGINT;
    emulatorquit.interrupt = SIGQUIT;
    for (const launch& how : {emulatorint, emulatorquit, listarriving}) {
        SCOPED_TRACE(how.arriving.empty() ? "while the emulator waits" : "while the list arrives");
        fs::path folder = prepare("no-findings");
        writefile(folder / "emulator-wait", "30\n");
        for (const char* report : {"cheatscanresults.txt", "cheatscanwarnings.txt"}) {
            writefile(folder / report, "the previous run's report\n");
        }
        int status = launchvettle(folder, how);
        ASSERT_TRUE(WIFSIGNALED(status)) << "exit " << exitcodeof(status);
        EXPECT_EQ(WTERMSIG(status), how.interrupt);
        EXPECT_EQ(readfile(folder / "cheatscanresults.txt"), "the previous run's report\n");
        EXPECT_EQ(readfile(folder / "cheatscanwarnings.txt"), "the previous run's report\n");
    }
}

// Control characters in a file name stay escaped, so that every finding is
// one line and the terminal is never moved.
TEST(HostEdges, ControlCharactersInAFileNameAreEscaped) {
    fs::path folder = prepare("every-finding");
    fs::rename(folder / "cheat.dat", folder / "line\nbreak\x1B[2J.dat");
    launch how;
    how.arguments = {"--diagnostics", "--cheat-file", "line\nbreak\x1B[2J.dat"};
    int status = launchvettle(folder, how);
    EXPECT_EQ(exitcodeof(status), 0);
    std::istringstream lines(readfile(folder / "console.out"));
    int count = 0;
    for (std::string text; std::getline(lines, text); ++count) {
        EXPECT_EQ(text.rfind("line\\x0Abreak\\x1B[2J.dat:", 0), 0u) << text;
    }
    EXPECT_GT(count, 10);
    fs::remove(folder / "line\nbreak\x1B[2J.dat");
    how.arguments = {"--cheat-file", "line\nbreak\x1B[2J.dat"};
    launchvettle(folder, how);
    EXPECT_NE(readfile(folder / "console.out").find("Failed to read from 'line\\x0Abreak\\x1B[2J.dat'."),
              std::string::npos);
}

// Standard output that is a file of the run is refused before anything is
// written, and said on standard error, as standard output is that file. A
// file of its own, or a device, is written as ever.
TEST(HostEdges, StandardOutputIsNoFileOfTheRun) {
    const std::string why = "'. It is standard output, which carries ";
    const std::string output = "; each output needs a file of its own.\n";
    const std::string input = "; an input is only ever read.\n";
    const struct {
        std::vector<std::string> arguments;
        const char* stdoutto;
        const char* link;  // made a link to stdoutto first, when given
        std::string says;  // standard error; refused when not empty
    } runs[] = {
        {{}, "cheatscanresults.txt", nullptr, "cheatscanresults.txt" + why + "the console's transcript" + output},
        {{"--game-list", "games.txt", "--diagnostics"}, "cheatscanwarnings.txt", nullptr,
         "cheatscanwarnings.txt" + why + "the findings" + output},
        {{"--write-baseline", "/dev/stdout"}, "both.txt", nullptr,
         "/dev/stdout" + why + "the console's transcript" + output},
        {{}, "vettletemp.tmp", nullptr, "vettletemp.tmp" + why + "the console's transcript" + output},
        {{}, "out.txt", "cheatscanwarnings.txt", "cheatscanwarnings.txt" + why + "the console's transcript" + output},
        {{}, "cheat.dat", nullptr, "cheat.dat" + why + "the console's transcript" + input},
        {{"--diff", "--game-list", "games.txt"}, "games.txt", nullptr, "games.txt" + why + "the patch" + input},
        {{"--baseline", "known.txt", "--diagnostics"}, "known.txt", nullptr,
         "known.txt" + why + "the findings" + input},
        // Written as ever: no file of the run, a report not written, a
        // temporary file's link (removed, never followed), a device.
        {{}, "out.txt", nullptr, ""},
        {{"--no-reports"}, "cheatscanresults.txt", nullptr, ""},
        {{}, "out.txt", "vettletemp.tmp", ""},
        {{}, "/dev/null", "cheatscanresults.txt", ""},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(std::string("> ") + run.stdoutto + (run.link ? std::string(" linked from ") + run.link : ""));
        fs::path folder = prepare("no-findings", "stdout-is-a-file");
        fs::copy_file(folder / "listfull.txt", folder / "games.txt");
        writefile(folder / "known.txt", "");
        fs::path target = folder / run.stdoutto;
        if (!fs::exists(target)) writefile(target, "as it was\n");
        if (run.link != nullptr) fs::create_symlink(run.stdoutto, folder / run.link);
        std::string before = readfile(target);
        launch how;
        how.stdoutto = run.stdoutto;
        how.arguments = run.arguments;
        int code = exitcodeof(launchvettle(folder, how));
        if (run.says.empty()) {
            EXPECT_EQ(code, 0);
            EXPECT_EQ(readfile(folder / "stderr.out"), "");
            if (fs::is_regular_file(target)) {
                EXPECT_NE(readfile(target).find("\nCheat file check completed\n"), std::string::npos);
            }
            continue;
        }
        EXPECT_EQ(code, 3);
        EXPECT_EQ(readfile(folder / "stderr.out"), "vettle: error: failed to read from '" + run.says);
        EXPECT_EQ(readfile(target), before) << "written into";
        for (const char* made : {"cheatscanresults.txt", "cheatscanwarnings.txt", "vettletemp.tmp"}) {
            EXPECT_TRUE(made == std::string(run.stdoutto) || made == std::string(run.link ? run.link : "") ||
                        !fs::exists(folder / made))
                << made;
        }
    }
}

struct edge {
    const char* what;
    const char* casename;
    // Sets the run folder up; false when this host cannot.
    std::function<bool(const fs::path&)> setup;
    launch how;
    bool immutabletemp = false;  // to be made removable again afterwards
};

launch launchwith(bool launch::*flag) {
    launch how;
    how.*flag = true;
    return how;
}

pid_t pipewriter = -1;  // writes into the FIFO once a reader opens it

bool linked(const fs::path& folder, const char* link, const char* target) {
    std::error_code failed;
    fs::create_symlink(target, folder / link, failed);
    return !failed;
}

bool hasfulldisk(const fs::path&) { return fs::exists("/dev/full"); }

launch tofulldisk() {
    launch how;
    how.stdoutto = "/dev/full";
    return how;
}

const edge edges[] = {
    {"cheat.dat is a FIFO", "cheat-file-is-a-pipe",
     [](const fs::path& folder) {
         std::string content = readfile(folder / "cheat.dat");
         fs::remove(folder / "cheat.dat");
         std::string fifo = (folder / "cheat.dat").string();
         if (mkfifo(fifo.c_str(), 0644) != 0) return false;
         pipewriter = fork();
         if (pipewriter == 0) {
             int end = open(fifo.c_str(), O_WRONLY);
             _exit(write(end, content.data(), content.size()) == static_cast<ssize_t>(content.size()) ? 0 : 1);
         }
         return pipewriter > 0;
     },
     {}},
    {"an old temporary file that cannot be removed", "stale-temp-cannot-be-removed",
     [](const fs::path& folder) {
         writefile(folder / "vettletemp.tmp", "Name: Description:\nold  \"An old list\"\n");
         return canmakeimmutable(folder) && chattr("+i", folder / "vettletemp.tmp");
     },
     {}, true},
    {"the temporary file is a link to cheat.dat", "no-findings",
     [](const fs::path& folder) {
         fs::create_symlink("cheat.dat", folder / "vettletemp.tmp");
         return true;
     },
     {}},
    {"the temporary file cannot be deleted at the end", "temp-cannot-be-deleted",
     [](const fs::path& folder) {
         writefile(folder / "mame.exe", "#!/bin/sh\ncat listfull.txt\nchattr +i vettletemp.tmp\n");
         fs::permissions(folder / "mame.exe", fs::perms::owner_all);
         return canmakeimmutable(folder);
     },
     {}, true},
    {"a report is a link to the temporary file", "report-is-a-link-to-the-temp-file",
     [](const fs::path& folder) { return linked(folder, "cheatscanresults.txt", "vettletemp.tmp"); }, {}},
    {"the warnings report is a link to the temporary file the named emulator writes",
     "warnings-report-is-a-link-to-the-temp-file",
     [](const fs::path& folder) { return linked(folder, "cheatscanwarnings.txt", "vettletemp.tmp"); }, {}},
    {"the warnings report is a link to the results report", "reports-are-one-file",
     [](const fs::path& folder) { return linked(folder, "cheatscanwarnings.txt", "cheatscanresults.txt"); }, {}},
    {"cheat.dat is a link to the temporary file, which is not there yet", "cheat-file-links-to-the-temp-file",
     [](const fs::path& folder) {
         fs::remove(folder / "cheat.dat");
         return linked(folder, "cheat.dat", "vettletemp.tmp");
     },
     {}},
    {"cheat.dat is a FIFO nobody writes: refused without waiting", "cheat-file-is-a-pipe",
     [](const fs::path& folder) {
         fs::remove(folder / "cheat.dat");
         return mkfifo((folder / "cheat.dat").c_str(), 0644) == 0;
     },
     {}},
    {"both reports are /dev/null", "reports-to-dev-null",
     [](const fs::path& folder) {
         return linked(folder, "cheatscanresults.txt", "/dev/null") &&
                linked(folder, "cheatscanwarnings.txt", "/dev/null");
     },
     {}},
    {"an old temporary file is a hard link to cheat.dat: removed, cheat.dat read", "no-findings",
     [](const fs::path& folder) {
         std::error_code failed;
         fs::create_hard_link(folder / "cheat.dat", folder / "vettletemp.tmp", failed);
         return !failed;
     },
     {}},
    {"a report is a FIFO", "report-is-a-pipe",
     [](const fs::path& folder) { return mkfifo((folder / "cheatscanwarnings.txt").c_str(), 0644) == 0; }, {}},
    {"a report is /dev/null, written once as it is", "warnings-to-dev-null",
     [](const fs::path& folder) { return linked(folder, "cheatscanwarnings.txt", "/dev/null"); }, {}},
    {"diagnostics to a full disk", "diagnostics-to-full-disk", hasfulldisk, tofulldisk()},
    {"help to a full disk", "help-to-full-disk", hasfulldisk, tofulldisk()},
    {"version to a full disk", "version-to-full-disk", hasfulldisk, tofulldisk()},
    {"started with SIGCHLD ignored", "emulator-exits-1", [](const fs::path&) { return true; }, launchwith(&launch::ignorechildren)},
    {"a PATH of 40 KB with the emulator in its last folder", "no-findings",
     [](const fs::path& folder) {
         fs::create_directory(folder / "bin");
         fs::rename(folder / "mame.exe", folder / "bin" / "mame.exe");
         return true;
     },
     launchwith(&launch::longpath)},
};

TEST(HostEdges, EachEdgeEndsAsItsCaseSays) {
    for (const edge& e : edges) {
        SCOPED_TRACE(e.what);
        fs::path folder = prepare(e.casename);
        if (!e.setup(folder)) {
            std::cout << "[  SKIPPED ] " << e.what << ": this host cannot set it up\n";
            continue;
        }
        launch how = e.how;
        how.arguments = argumentsof(e.casename);
        int status = launchvettle(folder, how);
        if (pipewriter > 0) kill(pipewriter, SIGKILL), waitpid(pipewriter, nullptr, 0), pipewriter = -1;
        if (e.immutabletemp) chattr("-i", folder / "vettletemp.tmp");
        ASSERT_TRUE(WIFEXITED(status));
        expectoutcome(folder, e.casename, exitcodeof(status));
    }
}

}  // namespace
