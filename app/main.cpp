#include <cstdio>
#include <string>

#include "app/program_entry.h"

int main(int argc, char** argv)
{
    ProgramOptions options;
    std::string error;
    if (!ParseProgramOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "talvoran: %s\n", error.c_str());
        return 2;
    }
    return RunProgram(options);
}
