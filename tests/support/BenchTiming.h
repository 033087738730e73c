// The timing loops of the bench_* programs.
#pragma once

#include <algorithm>
#include <array>
#include <chrono>
#include <cstddef>
#include <functional>
#include <limits>
#include <ratio>

namespace testing_support {

// The mean time of one call of work over `repeats` calls, in Unit (std::milli, std::micro),
// after `warmUp` calls that fill caches and are not counted.
template <typename Unit = std::milli>
double TimePer(int repeats, const std::function<void()>& work, int warmUp = 0)
{
    for (int k = 0; k < warmUp; ++k) work();
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < repeats; ++k) work();
    return std::chrono::duration<double, Unit>(std::chrono::steady_clock::now() - start).count() / repeats;
}

// Measurements taken in turn, round after round; the fastest round of each counts, so that
// other work on a shared machine weighs on none of them more than on the others.
template <std::size_t N>
std::array<double, N> FastestRounds(int rounds, const std::array<std::function<double()>, N>& measurements)
{
    std::array<double, N> fastest;
    fastest.fill(std::numeric_limits<double>::infinity());
    for (int round = 0; round < rounds; ++round)
        for (std::size_t k = 0; k < N; ++k) fastest[k] = std::min(fastest[k], measurements[k]());
    return fastest;
}

}  // namespace testing_support
