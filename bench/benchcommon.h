// Timing and program running shared by the benchmarks that time our code
// against a standard tool in the same run.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// How many times a timed step runs; its median counts.
inline constexpr int kRuns = 5;

// Wall-clock seconds that action takes.
double Seconds(const std::function<void()>& action);

// The middle value of times, which must not be empty.
double MedianOf(std::vector<double> times);

// The median of kRuns timings of action, each after prepare (untimed).
double Median(const std::function<void()>& action, const std::function<void()>& prepare = {});

// Runs the program arguments[0], found on the PATH, without a shell and
// waits for it; its output is discarded, its input read from inputFile when
// one is given. A program that cannot start is ignored.
void Run(std::vector<std::string> arguments, const std::string& inputFile = {});

// Creates path as an empty file unless it exists.
void Touch(const std::filesystem::path& path);

} // namespace bench
