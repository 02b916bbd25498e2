// A stand-in for the emulator, for tests and the demo. On -listfull it
// prints listfull.txt from the current directory byte for byte and exits
// with STANDIN_EXIT_CODE (0 when unset). Without the file it says so on
// standard error and exits 1, as an emulator that cannot run would.

#include <cstdio>
#include <cstdlib>
#include <cstring>

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
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, list)) > 0) {
        std::fwrite(buffer, 1, got, stdout);
    }
    std::fclose(list);
    const char* code = std::getenv("STANDIN_EXIT_CODE");
    return code != nullptr ? std::atoi(code) : 0;
}
