// The programs our mesh files must open in, run as a user would run them:
// admesh for STL, assimp for OBJ. A reader that is not installed fails the
// test (scripts/install-deps.sh installs both).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>

// The reader's path, or "" with a test failure when it is missing.
inline std::string FindReader(const char* name)
{
    const std::string path = std::string("/usr/bin/") + name;
    if (::access(path.c_str(), X_OK) == 0) return path;
    ADD_FAILURE() << name << " is not installed; scripts/install-deps.sh installs it";
    return "";
}

// What "reader arguments file" prints (stdout and stderr); exitCode gets
// its exit status.
inline std::string RunReader(const std::string& reader, const std::string& arguments, const std::string& file,
                             int* exitCode)
{
    std::string output;
    *exitCode = -1;
    if (reader.empty()) return output;
    const std::string command = "'" + reader + "' " + arguments + " '" + file + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return output;
    std::array<char, 4096> chunk;
    size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) output.append(chunk.data(), got);
    const int status = ::pclose(pipe);
    *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

// The first number after "label" and its colon in a reader's report; -1
// when the label is missing.
inline double ReaderNumber(const std::string& report, const std::string& label)
{
    const size_t at = report.find(label);
    if (at == std::string::npos) return -1.0;
    const size_t colon = report.find(':', at);
    return colon == std::string::npos ? -1.0 : std::strtod(report.c_str() + colon + 1, nullptr);
}
