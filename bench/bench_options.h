// What every benchmark shares: the options it takes (--iterations N, and
// --smoke for one run of everything that judges nothing, the test run's check
// that it runs) and its medians.
#ifndef BENCH_BENCH_OPTIONS_H
#define BENCH_BENCH_OPTIONS_H

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <vector>

// Runs made before the measured ones, to warm the caches; none in a smoke run.
inline int warmUps = 2;

// False, after printing the usage, for any other argument.
inline bool ReadBenchOptions(int argc, char **argv, const char *program, int &iterations,
                             bool &smoke)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
            iterations = 1;
            warmUps = 0;
        } else if (std::strcmp(argv[i], "--iterations") == 0 && i + 1 < argc) {
            iterations = std::max(1, std::atoi(argv[++i]));
        } else {
            std::fprintf(stderr, "usage: %s [--iterations N] [--smoke]\n", program);
            return false;
        }
    }
    return true;
}

inline double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median time of `iterations` runs in milliseconds, after the warm-up runs.
inline double MedianMs(int iterations, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int i = -warmUps; i < iterations; ++i) {
        auto start = std::chrono::steady_clock::now();
        run();
        auto end = std::chrono::steady_clock::now();
        if (i >= 0)
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    return Median(times);
}

#endif
