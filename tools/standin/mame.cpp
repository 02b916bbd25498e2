// A stand-in for the emulator, for tests and the demo. On -listfull it
// prints listfull.txt from the current directory byte for byte and exits
// with the number in the file emulator-exit there (0 when absent). Without
// listfull.txt it says so on standard error and exits 1, as an emulator that
// cannot run would. With a file emulator-wait there, it waits that many
// seconds after printing, as a slow emulator would while a user presses
// Ctrl-C. With a file emulator-crash there, it prints only the first half
// of the list and crashes.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "standinhost.h"

namespace {

// The number in `name`, 0 when there is none.
int numberin(const char* name) {
    int number = 0;
    if (std::FILE* file = std::fopen(name, "r")) {
        if (std::fscanf(file, "%d", &number) != 1) {
            number = 0;
        }
        std::fclose(file);
    }
    return number;
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
    std::FILE* crashmark = std::fopen("emulator-crash", "r");
    std::fseek(list, 0, SEEK_END);
    long half = std::ftell(list) / 2;
    std::rewind(list);
    char buffer[65536];
    std::size_t got;
    for (long printed = 0; (got = std::fread(buffer, 1, sizeof buffer, list)) > 0; printed += static_cast<long>(got)) {
        if (crashmark != nullptr && printed + static_cast<long>(got) > half) {
            std::fwrite(buffer, 1, static_cast<std::size_t>(half - printed), stdout);
            std::fflush(stdout);
            crash();
        }
        std::fwrite(buffer, 1, got, stdout);
    }
    std::fclose(list);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::seconds(numberin("emulator-wait")));
    return numberin("emulator-exit");
}
