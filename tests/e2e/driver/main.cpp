// tzdriver PROGRAM [FILTER]: runs the end-to-end scenarios against the
// program at PROGRAM (a Windows path), or only those whose name contains
// FILTER. Exit code 0 when every check passed.
#include <cstdio>

#include "harness.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: tzdriver PROGRAM [FILTER]\n");
        return 2;
    }
    tz::e2e::Settings().program = argv[1];
    const std::string filter = argc == 3 ? tz::e2e::Narrow(argv[2]) : std::string();
    return tz::e2e::RunScenarios(filter) == 0 ? 0 : 1;
}
