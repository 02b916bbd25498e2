#include <cstdlib>

#include "host.h"

int runcommand(const char* command) {
    // cmd.exe already looks in the current directory first and hands back
    // the command's exit code.
    return std::system(command);
}
