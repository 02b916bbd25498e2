// A stand-in for the emulator, for tests and the demo. On -listfull it
// prints listfull.txt from the current directory byte for byte and exits
// with the number in the file emulator-exit there (0 when absent). Without
// listfull.txt it says so on standard error and exits 1, as an emulator that
// cannot run would.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "rawstdout.h"

namespace {

int exitcode() {
    int code = 0;
    if (std::FILE* file = std::fopen("emulator-exit", "r")) {
        if (std::fscanf(file, "%d", &code) != 1) {
            code = 0;
        }
        std::fclose(file);
    }
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || std::strcmp(argv[1], "-listfull") != 0) {
        std::fputs("stand-in emulator: only -listfull is known\n", stderr);
        return 2;
    }
    std::FILE* list = std::fopen("listfull.txt", "rb");
    if (list == nullptr) {
        std::fputs("stand-in emulator: no listfull.txt in the current directory\n", stderr);
        return 1;
    }
    makestdoutraw();
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, list)) > 0) {
        std::fwrite(buffer, 1, got, stdout);
    }
    std::fclose(list);
    return exitcode();
}
