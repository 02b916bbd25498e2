#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

#include "host.h"

// Names, arguments and the environment are UTF-16 here; the tool keeps
// them as UTF-8 and turns them back only where it calls Windows.

namespace {

std::wstring wide(const std::string& text) {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
    return result;
}

std::string narrow(const wchar_t* text, std::size_t size) {
    if (size == 0) return {};
    int length = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(size), result.data(), length, nullptr, nullptr);
    return result;
}

bool isfile(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool endswith(const std::wstring& text, const wchar_t* ending) {
    std::size_t length = std::wcslen(ending);
    return text.size() >= length && _wcsicmp(text.c_str() + text.size() - length, ending) == 0;
}

// NAME.exe first, then NAME as it stands, as cmd.exe tries extensions
// before the bare name.
std::wstring programin(const std::wstring& candidate) {
    if (!endswith(candidate, L".exe") && isfile(candidate + L".exe")) return candidate + L".exe";
    return isfile(candidate) ? candidate : std::wstring();
}

// As cmd.exe finds a program: the current folder first, then each folder
// on PATH, with the quotes installers put around some of them taken off.
// A name with a folder in it is looked for there alone. Empty when not
// found.
std::wstring findprogram(const std::wstring& program) {
    if (program.empty()) return {};
    if (program.find_first_of(L"\\/:") != std::wstring::npos) return programin(program);
    const wchar_t* inherited = _wgetenv(L"PATH");
    std::wstring folders = std::wstring(L".;") + (inherited != nullptr ? inherited : L"");
    std::size_t start = 0;
    for (;;) {
        std::size_t end = folders.find(L';', start);
        std::wstring folder = folders.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start);
        if (folder.size() >= 2 && folder.front() == L'"' && folder.back() == L'"') {
            folder = folder.substr(1, folder.size() - 2);
        }
        if (!folder.empty()) {
            std::wstring found = programin(folder + L"\\" + program);
            if (!found.empty()) return found;
        }
        if (end == std::wstring::npos) return {};
        start = end + 1;
    }
}

// In the same words as on other hosts when the program is missing.
void describeerror(DWORD error, char* why, std::size_t size) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
        std::snprintf(why, size, "not found");
        return;
    }
    wchar_t text[160];
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                                  text, sizeof text / sizeof text[0], nullptr);
    while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L'.')) {
        --length;
    }
    if (length == 0) {
        std::snprintf(why, size, "Windows error %lu", static_cast<unsigned long>(error));
    } else {
        std::snprintf(why, size, "%s", narrow(text, length).c_str());
    }
}

// An exit status of 0xC0000000 and above is an exception's NTSTATUS: the
// program crashed (0xC0000005, an access violation, say).
programrun ended(DWORD code) {
    programrun run{programrun::ran, static_cast<int>(code), ""};
    if (code >= 0xC0000000u) {
        run.outcome = programrun::crashed;
        std::snprintf(run.why, sizeof run.why, "status 0x%08lX", static_cast<unsigned long>(code));
    }
    return run;
}

// A console or a pipe has no file information, and is no file by name.
bool isfileof(DWORD stream, const char* name, bool follow) {
    BY_HANDLE_FILE_INFORMATION held, file;
    if (!GetFileInformationByHandle(GetStdHandle(stream), &held)) return false;
    DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (follow ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
    HANDLE handle = CreateFileW(wide(name).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, flags, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(handle, &file);
    CloseHandle(handle);
    return known && held.dwVolumeSerialNumber == file.dwVolumeSerialNumber &&
           held.nFileIndexHigh == file.nFileIndexHigh && held.nFileIndexLow == file.nFileIndexLow;
}

}  // namespace

// Ctrl-C ends the tool and the emulator alike here, and a console whose
// reader has gone only fails the writes to it.
void preparehost() {}

std::vector<std::string> hostarguments(int, char**) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> result;
    for (int i = 0; i < count; ++i) result.push_back(narrow(arguments[i], std::wcslen(arguments[i])));
    LocalFree(arguments);
    return result;
}

// cmd.exe looks in the current folder first and gives back the command's
// exit code; 9009 is its own for a command it does not know.
programrun runcommand(const char* command) {
    std::fflush(nullptr);
    programrun run = ended(static_cast<DWORD>(_wsystem(wide(command).c_str())));
    if (run.outcome == programrun::ran && run.exitcode == 9009) {
        run.outcome = programrun::notstarted;
        std::snprintf(run.why, sizeof run.why, "not found");
    }
    return run;
}

programrun runprogram(const char* program, const char* argument, const char* outputname) {
    programrun run{programrun::ran, 0, ""};
    SECURITY_ATTRIBUTES inheritable{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE output = CreateFileW(wide(outputname).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inheritable, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        run.outcome = programrun::nooutput;
        return run;
    }
    std::wstring path = findprogram(wide(program));
    if (path.empty()) {
        run.outcome = programrun::notstarted;
        describeerror(ERROR_FILE_NOT_FOUND, run.why, sizeof run.why);
    } else if (endswith(path, L".bat") || endswith(path, L".cmd")) {
        // CreateProcess hands these to cmd.exe, which would expand %...%
        // and more in the name and the arguments.
        run.outcome = programrun::notstarted;
        std::snprintf(run.why, sizeof run.why,
                      "it is a batch file, whose name and arguments cmd.exe would expand; name the emulator's .exe");
    } else {
        std::wstring commandline = L"\"" + path + L"\" " + wide(argument);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output;
        startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
        PROCESS_INFORMATION process{};
        if (CreateProcessW(path.c_str(), commandline.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                           &process)) {
            WaitForSingleObject(process.hProcess, INFINITE);
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            run = ended(code);
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

std::FILE* openfile(const char* name, const char* mode) { return _wfopen(wide(name).c_str(), wide(mode).c_str()); }

bool removefile(const char* name) { return _wremove(wide(name).c_str()) == 0 || errno == ENOENT; }

std::FILE* createfile(const char* name) {
    HANDLE handle = CreateFileW(wide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (file == nullptr) _close(fd);
    return file;
}

bool replacefile(const char* from, const char* to) {
    return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

namespace {

// A new empty file in the temporary folder, by name.
std::wstring newtempfile() {
    wchar_t folder[MAX_PATH + 1];
    wchar_t name[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH || GetTempFileNameW(folder, L"vet", 0, name) == 0) return {};
    return name;
}

}  // namespace

std::FILE* scratchfile() {
    std::wstring name = newtempfile();
    // D: removed when closed.
    return name.empty() ? nullptr : _wfopen(name.c_str(), L"w+bD");
}

std::string scratchname() {
    std::wstring name = newtempfile();
    if (name.empty()) return {};
    DeleteFileW(name.c_str());
    return narrow(name.c_str(), name.size());
}

bool namescasesensitive() { return false; }

bool seefile(const char* name, fileseen& out) {
    out = fileseen{};
    // Attributes alone, the name's own reparse point not followed, shared
    // with every other opener.
    HANDLE handle = CreateFileW(wide(name).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    bool known = GetFileInformationByHandle(handle, &info) != 0;
    DWORD type = GetFileType(handle);
    CloseHandle(handle);
    if (!known) return false;
    DWORD attributes = info.dwFileAttributes;
    out.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    out.regular = type == FILE_TYPE_DISK && !out.link && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    out.readonly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    out.links = info.nNumberOfLinks;
    out.volume = info.dwVolumeSerialNumber;
    out.index = (static_cast<unsigned long long>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    out.size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    out.modified = (static_cast<unsigned long long>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                   info.ftLastWriteTime.dwLowDateTime;
    out.mode = attributes;
    return true;
}

// The attributes and access rights come from the file it replaces.
bool closelike(std::FILE* file, const fileseen&) {
    bool done = std::fflush(file) == 0 &&
                FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
    bool closed = std::fclose(file) == 0;
    return done && closed;
}

// The full path of a name: wine's ReplaceFileW takes no other.
static std::wstring fullpath(const char* name) {
    std::wstring given = wide(name);
    DWORD length = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (length == 0) return given;
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(given.c_str(), length, full.data(), nullptr);
    full.resize(length);
    return length == 0 ? given : full;
}

bool replacekeeping(const char* from, const char* to) {
    std::wstring replaced = fullpath(to);
    std::wstring replacement = fullpath(from);
    if (ReplaceFileW(replaced.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
        return true;
    }
    // Gone since it was last seen: there is nothing to keep.
    return GetLastError() == ERROR_FILE_NOT_FOUND &&
           MoveFileExW(replacement.c_str(), replaced.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

bool stdinisfile(const char* name) { return isfileof(STD_INPUT_HANDLE, name, true); }

bool stdoutisfile(const char* name, bool follow) { return isfileof(STD_OUTPUT_HANDLE, name, follow); }

void makestdinbinary() { _setmode(_fileno(stdin), _O_BINARY); }
void makestdoutbinary() { _setmode(_fileno(stdout), _O_BINARY); }

std::string errortext(int error) { return std::strerror(error); }

bool readerhasgone(int error) { return error == EPIPE; }
