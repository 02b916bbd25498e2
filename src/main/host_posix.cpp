#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>

#include "host.h"

int runcommand(const char* command) {
    // The Windows interpreter finds a program in the current directory
    // before it searches PATH; put the current directory first here too.
    static char path[32768];
    const char* inherited = std::getenv("PATH");
    std::snprintf(path, sizeof path, ".:%s", inherited != nullptr ? inherited : "/usr/bin:/bin");
    setenv("PATH", path, 1);

    int status = std::system(command);
    if (status == -1) {
        return -1;
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    return 128 + WTERMSIG(status);  // as a shell reports a killed command
}
