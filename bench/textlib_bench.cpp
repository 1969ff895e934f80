// Times the text library against standard tools in one run and prints each
// ratio (ours / theirs) on its own line, with its target.
//
//   mask:         MaskMatch vs glibc fnmatch, same simple masks      target <= 1.0
//   pathological: MaskMatch "a*b*...*m*z" vs "*.c" on the same names target <= 2
//   scan:         LinkList_At scan of 1,000,000 vs 100,000 lines     target <= 12
//   load:         loading a 200,000-line list file vs `wc -l`        reported only
#include "cclstringlist.h"
#include "linklist.h"
#include "strmask.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <fnmatch.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr int kNameCount = 1000000;
const char* const kSimpleMasks[] = {"*.c", "*.txt", "test*", "?ain.*"};
constexpr const char* kPathologicalMask = "a*b*c*d*e*f*g*h*i*j*k*l*m*z";

const std::vector<std::string>& Names() {
    static const std::vector<std::string> names = [] {
        std::mt19937 random(42);
        const char* extensions[] = {".c", ".h", ".cpp", ".txt", ".o", ".C", ""};
        std::vector<std::string> v;
        v.reserve(kNameCount);
        for (int i = 0; i < kNameCount; ++i) {
            std::string name;
            const int length = 6 + static_cast<int>(random() % 14);
            for (int k = 0; k < length; ++k)
                name += static_cast<char>('a' + random() % 26);
            if (random() % 5 == 0) name[0] = 'T';
            name += extensions[random() % 7];
            v.push_back(std::move(name));
        }
        return v;
    }();
    return names;
}

// Matches every name against every simple mask with match(name, mask).
template <typename Match> void MatchSimpleMasks(benchmark::State& state, Match match) {
    const auto& names = Names();
    for (auto _ : state) {
        int matches = 0;
        for (const std::string& name : names)
            for (const char* mask : kSimpleMasks)
                matches += match(name.c_str(), mask);
        benchmark::DoNotOptimize(matches);
    }
}

void MaskMatchSimple(benchmark::State& state) {
    MatchSimpleMasks(state,
                     [](const char* name, const char* mask) { return MaskMatch(name, mask); });
}

void FnmatchSimple(benchmark::State& state) {
    MatchSimpleMasks(state, [](const char* name, const char* mask) {
        return fnmatch(mask, name, FNM_CASEFOLD) == 0 ? 1 : 0;
    });
}

void MaskMatchOne(benchmark::State& state, const char* mask) {
    const auto& names = Names();
    for (auto _ : state) {
        int matches = 0;
        for (const std::string& name : names)
            matches += MaskMatch(name.c_str(), mask);
        benchmark::DoNotOptimize(matches);
    }
}

void LinkListScan(benchmark::State& state) {
    const int32_t count = static_cast<int32_t>(state.range(0));
    LinkList* list = LinkList_New(0);
    for (int32_t i = 0; i < count; ++i)
        LinkList_Append(list, list);
    for (auto _ : state) {
        for (int32_t i = 0; i < count; ++i)
            benchmark::DoNotOptimize(LinkList_At(list, i));
    }
    LinkList_Free(list);
}

std::string ListFile() {
    static const std::string path = [] {
        const std::string p =
            (std::filesystem::temp_directory_path() / "tamble-bench-list.txt").string();
        std::ofstream out(p, std::ios::binary);
        for (int i = 0; i < 200000; ++i) {
            out << "name_" << i << ".txt";
            if (i % 7 == 0) out << "   // a comment";
            if (i % 11 == 0) out << " /* block */";
            out << "\r\n";
        }
        return p;
    }();
    return path;
}

void LoadListFile(benchmark::State& state) {
    const std::string path = ListFile();
    // The load prints a diagnostic line; keep it out of the report.
    std::fflush(stdout);
    const int saved = dup(1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    for (auto _ : state) {
        CCLStringList list;
        list.LoadFromFile(path.c_str(), 0x5D800000);
        benchmark::DoNotOptimize(list.Count());
    }
    std::fflush(stdout);
    dup2(saved, 1);
    close(saved);
    close(null);
}

void WcLines(benchmark::State& state) {
    const std::string path = ListFile();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    for (auto _ : state) {
        char* argv[] = {const_cast<char*>("wc"), const_cast<char*>("-l"),
                        const_cast<char*>(path.c_str()), nullptr};
        pid_t pid = 0;
        if (posix_spawnp(&pid, "wc", &actions, nullptr, argv, environ) != 0) {
            state.SkipWithError("wc could not be started");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
    posix_spawn_file_actions_destroy(&actions);
}

// Keeps each benchmark's mean real time per iteration, by name.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

} // namespace

BENCHMARK(MaskMatchSimple)->Unit(benchmark::kMillisecond);
BENCHMARK(FnmatchSimple)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MaskMatchOne, pathological, kPathologicalMask)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(MaskMatchOne, star_dot_c, "*.c")->Unit(benchmark::kMillisecond);
BENCHMARK(LinkListScan)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadListFile)->Unit(benchmark::kMillisecond);
BENCHMARK(WcLines)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    auto& t = reporter.times;
    auto ratio = [&t](const char* label, const char* ours, const char* theirs, const char* target) {
        if (!t.count(ours) || !t.count(theirs) || t[theirs] <= 0) return;
        std::printf("%s: %.2f (target %s)\n", label, t[ours] / t[theirs], target);
    };
    std::printf("\n");
    ratio("mask vs fnmatch", "MaskMatchSimple", "FnmatchSimple", "<= 1.0");
    ratio("pathological vs *.c", "MaskMatchOne/pathological", "MaskMatchOne/star_dot_c", "<= 2");
    ratio("scan 1M vs 100k", "LinkListScan/1000000", "LinkListScan/100000", "<= 12");
    ratio("load vs wc -l", "LoadListFile", "WcLines", "reported");
    std::filesystem::remove(ListFile());
    return 0;
}
