#pragma once

#include <cstdio>
#include <string>

// A temporary file holding `content`, positioned at its start.
inline std::FILE* filewith(const std::string& content) {
    std::FILE* file = std::tmpfile();
    std::fwrite(content.data(), 1, content.size(), file);
    std::rewind(file);
    return file;
}

// Everything written to `file` so far.
inline std::string contentof(std::FILE* file) {
    std::fflush(file);
    std::rewind(file);
    std::string content;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        content.append(buffer, got);
    }
    return content;
}
