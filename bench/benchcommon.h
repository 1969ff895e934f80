// What every benchmark shares: its command line, interleaved timing of our
// code against a reference, checks of what was produced, the report of
// ratios against their targets, and running standard tools without a shell.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

// The command line every benchmark takes: "[--smoke] [FOLDER]".
struct Options {
    // Small data, results checked, times neither compared nor judged.
    bool smoke = false;
    // Where the data is made; empty: a temporary folder removed at the end.
    // Data found there from an earlier run is used as it is.
    std::filesystem::path dataFolder;
};

// Reads argv; an unknown option ends the program with a usage line.
Options ReadOptions(int argc, char** argv);

// The folder the data lives in for options: dataFolder, created when
// missing, else a new temporary folder that the destructor removes.
class DataFolder {
public:
    explicit DataFolder(const Options& options);
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
    bool temporary_ = false;
};

// One side of a comparison: what is timed, what must run before each timed
// round (a reset to the state the round claims) and what checks its result
// after it, both untimed.
struct Timed {
    std::function<void()> action;
    std::function<void()> prepare = {};
    std::function<void()> check = {};
    // When set, the round ends at the moment it returns, which the action
    // recorded (what the user waits for ended before the action returned),
    // instead of when the action returns.
    std::function<std::chrono::steady_clock::time_point()> endedAt = {};
};

struct Medians {
    double ours = 0;
    double theirs = 0;
};

// Times ours and theirs in alternate rounds (ours, theirs, ours, ...), so
// that the machine's drift touches both alike, rounds times each; the
// medians of each side.
Medians Interleave(const Timed& ours, const Timed& theirs, int rounds);
// The same for any number of sides, timed in their order in every round;
// the median of each side, in that order. A side's prepare may rely on the
// side before it having run (a round of "fill, then leave" leaves from the
// folder the fill showed).
std::vector<double> InterleaveAll(const std::vector<Timed>& sides, int rounds);

// The verdicts of one benchmark program: every result check and every
// ratio, printed as they come; the exit code says whether all held.
class Report {
public:
    explicit Report(const Options& options) : smoke_(options.smoke) {}

    // Rounds a comparison takes: one for a smoke run, else at least five.
    [[nodiscard]] int Rounds() const { return smoke_ ? 1 : 7; }
    [[nodiscard]] bool Smoke() const { return smoke_; }

    // Records a check of a result; a false ok fails the benchmark whatever
    // its times, and says what was wrong.
    bool Check(bool ok, const std::string& what);
    // Prints ours / theirs with its target; a ratio above the target fails
    // the benchmark unless this is a smoke run. detail: the measured times
    // or sizes, shown beside it.
    void Ratio(const std::string& name, double ours, double theirs, double target,
               const std::string& detail = {});
    // Prints a value that has no target.
    void Note(const std::string& text);

    // 0 when every check and every ratio held, else 1.
    [[nodiscard]] int ExitCode() const { return failed_ ? 1 : 0; }

private:
    bool smoke_;
    bool failed_ = false;
};

// "12.3 ms" for seconds.
std::string Milliseconds(double seconds);

// Runs arguments[0], found on the PATH, without a shell and waits for it.
// Its input comes from inputFile when one is given, its output goes to
// outputFile ("" : discarded). Returns its exit status; -1 when it could
// not start or did not exit normally.
int Run(std::vector<std::string> arguments, const std::string& inputFile = {},
        const std::string& outputFile = {});

// Runs first with its output piped into second, as "first | second" would,
// second's output discarded; the exit status of second (-1 as for Run).
// environment ("NAME=value") is added to the environment of both.
int RunPiped(std::vector<std::string> first, std::vector<std::string> second,
             const std::vector<std::string>& environment = {});

// The lines a program writes (run as Run does), in their order.
std::vector<std::string> OutputLines(std::vector<std::string> arguments);

// Where data too large to make on every run is kept between runs: the
// options' data folder when one is given, else "tamble-bench" in
// $XDG_CACHE_HOME (default ~/.cache), outside any checkout. Created when
// missing.
std::filesystem::path CacheFolder(const Options& options);

// Whether the file system of folder has at least files free inodes and
// bytes free bytes left over for the user (a full disk fails the making of
// data halfway). False when it cannot be asked.
bool HasRoomFor(const std::filesystem::path& folder, unsigned long long files,
                unsigned long long bytes);

// Creates path as an empty file unless it exists.
void Touch(const std::filesystem::path& path);

// Writes size bytes of a fixed pattern that differs from byte to byte.
void WritePattern(const std::filesystem::path& path, size_t size);

// The whole content of path; empty when it cannot be read.
std::string ReadAll(const std::filesystem::path& path);

// The peak resident memory of this process so far, in bytes.
long long PeakResidentBytes();

} // namespace bench
