// The options every benchmark takes: --iterations N, and --smoke for one
// run of everything that judges nothing (the test run's check that it runs).
#ifndef TESTS_BENCH_BENCH_OPTIONS_H
#define TESTS_BENCH_BENCH_OPTIONS_H

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// False, after printing the usage, for any other argument.
inline bool ReadBenchOptions(int argc, char **argv, const char *program, int &iterations,
                             bool &smoke)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
            iterations = 1;
        } else if (std::strcmp(argv[i], "--iterations") == 0 && i + 1 < argc) {
            iterations = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--iterations N] [--smoke]\n", program);
            return false;
        }
    }
    return true;
}

#endif
