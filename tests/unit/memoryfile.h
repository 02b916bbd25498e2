#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

// A file in the test's own temporary folder, open for reading and writing,
// holding `content` and positioned at its start. Every test runs in a
// process of its own, so the test's name and a count keep names apart.
inline std::FILE* filewith(const std::string& content) {
    static int made = 0;
    std::string path = ::testing::TempDir() + "vettle-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                       std::to_string(++made);
    std::FILE* file = std::fopen(path.c_str(), "w+b");
    if (file == nullptr) throw std::runtime_error("cannot create " + path);
    if (std::fwrite(content.data(), 1, content.size(), file) != content.size()) {
        throw std::runtime_error("cannot write " + path);
    }
    std::rewind(file);
    return file;
}

// An empty file, as above.
inline std::FILE* scratchfile() { return filewith(""); }

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

// A whole file's bytes, and a file made of them.
inline std::string readall(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void writeall(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}
