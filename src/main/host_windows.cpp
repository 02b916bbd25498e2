#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host.h"

namespace {

bool isfile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// As cmd.exe finds a program: the current folder first, then each folder
// on PATH, the name as given and with .exe added. A name with a folder in
// it is left to CreateProcess. Empty when not found.
std::string findprogram(const char* program) {
    if (std::strpbrk(program, "\\/:") != nullptr) return program;
    if (*program == '\0') return {};
    const char* inherited = std::getenv("PATH");
    std::string folders = std::string(".;") + (inherited != nullptr ? inherited : "");
    std::size_t start = 0;
    for (;;) {
        std::size_t end = folders.find(';', start);
        std::string folder = folders.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!folder.empty()) {
            std::string candidate = folder + "\\" + program;
            if (isfile(candidate)) return candidate;
            if (isfile(candidate + ".exe")) return candidate + ".exe";
        }
        if (end == std::string::npos) return {};
        start = end + 1;
    }
}

// In the same words as on other hosts when the program is missing.
void describeerror(DWORD error, char* why, std::size_t size) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        std::snprintf(why, size, "not found");
        return;
    }
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  why, static_cast<DWORD>(size), nullptr);
    while (length > 0 && (why[length - 1] == '\n' || why[length - 1] == '\r' || why[length - 1] == '.')) {
        why[--length] = '\0';
    }
    if (length == 0) std::snprintf(why, size, "Windows error %lu", static_cast<unsigned long>(error));
}

}  // namespace

// Ctrl-C ends the tool and the emulator alike here, and a console whose
// reader has gone only fails the writes to it.
void preparehost() {}

// cmd.exe looks in the current folder first and gives back the command's
// exit code.
int runcommand(const char* command) { return std::system(command); }

programrun runprogram(const char* program, const char* argument, const char* outputname) {
    programrun run{programrun::ran, 0, ""};
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE output = CreateFileA(outputname, GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        run.outcome = programrun::nooutput;
        return run;
    }
    std::string path = findprogram(program);
    if (path.empty()) {
        run.outcome = programrun::notstarted;
        describeerror(ERROR_FILE_NOT_FOUND, run.why, sizeof run.why);
    } else {
        std::string commandline = "\"" + path + "\" " + argument;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION process{};
        if (CreateProcessA(nullptr, commandline.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                           &process)) {
            WaitForSingleObject(process.hProcess, INFINITE);
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            run.exitcode = static_cast<int>(code);
            CloseHandle(process.hThread);
            CloseHandle(process.hProcess);
        } else {
            run.outcome = programrun::notstarted;
            describeerror(GetLastError(), run.why, sizeof run.why);
        }
    }
    CloseHandle(output);
    return run;
}

bool removefile(const char* name) { return std::remove(name) == 0 || errno == ENOENT; }

void makestdinbinary() { _setmode(_fileno(stdin), _O_BINARY); }
