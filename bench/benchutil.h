#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace bench {

// Milliseconds one call of f takes, as the median of `runs` calls.
template <typename F> double medianMs(int runs, F &&f) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void print(const char *name, double value) {
    std::printf("BENCH %s %.3f\n", name, value);
    std::fflush(stdout);
}

} // namespace bench
