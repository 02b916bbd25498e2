// Runs a command several times in a folder and prints the median wall time
// in seconds and the largest peak memory of any run in KB:
//
//   measure <runs> <folder> <program> [arguments...]
//
// Its output goes to /dev/null. One untimed run first warms the page cache.
// A run that does not exit with 0 fails the measurement.

#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct sample {
    double seconds;
    long peakkb;
};

sample runonce(const char* folder, char** command) {
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        if (chdir(folder) != 0) _exit(126);
        execvp(command[0], command);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "measure: %s failed in %s\n", command[0], folder);
        std::exit(1);
    }
    return {seconds, usage.ru_maxrss};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: measure <runs> <folder> <program> [arguments...]\n", stderr);
        return 2;
    }
    int runs = std::max(1, std::atoi(argv[1]));
    runonce(argv[2], argv + 3);
    std::vector<double> times;
    long peakkb = 0;
    for (int i = 0; i < runs; ++i) {
        sample s = runonce(argv[2], argv + 3);
        times.push_back(s.seconds);
        peakkb = std::max(peakkb, s.peakkb);
    }
    std::sort(times.begin(), times.end());
    std::printf("%.4f %ld\n", times[times.size() / 2], peakkb);
    return 0;
}
