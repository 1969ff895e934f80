// The text library against standard tools and against itself, in one run
// of alternate rounds, each result checked:
//   mask         MaskMatch / glibc fnmatch, the same simple masks on the
//                same 1,000,000 names; both must match the same names
//   many stars   "a*b*c*d*e*f*g*h*i*j*k*l*m*z" / "*.c" on names that hold
//                a...m in order but no z (so every star has work to do and
//                the match fails only at the end); nothing may match
//   scan         LinkList_At over a list of 1,000,000 / of 100,000
//                (reported only)
//   load         a 200,000-line list file / wc -l of it (reported only)
#include "bench/benchcommon.h"
#include "textlib/cclstringlist.h"
#include "textlib/linklist.h"
#include "textlib/strmask.h"

#include <fcntl.h>
#include <fnmatch.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using bench::Milliseconds;
using bench::Report;

const char* const kSimpleMasks[] = {"*.c", "*.txt", "test*", "?ain.*"};
constexpr const char* kManyStars = "a*b*c*d*e*f*g*h*i*j*k*l*m*z";
constexpr const char* kExtensions[] = {".c", ".h", ".cpp", ".txt", ".o", ".C", ""};
struct Sizes {
    int names;
    int32_t shortList;
    int listLines;
};
constexpr Sizes kFullSizes{1000000, 100000, 200000};
constexpr Sizes kSmokeSizes{20000, 2000, 2000};

// Random names of lower-case letters, some starting with "T", with an
// extension or none.
std::vector<std::string> RandomNames(int count) {
    std::mt19937 random(42);
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name;
        const int length = 6 + static_cast<int>(random() % 14);
        for (int k = 0; k < length; ++k)
            name += static_cast<char>('a' + random() % 26);
        if (random() % 5 == 0) name[0] = 'T';
        name += kExtensions[random() % std::size(kExtensions)];
        names.push_back(std::move(name));
    }
    return names;
}

// Names that hold a, b, ..., m in this order, each after up to two filler
// letters from n to y, and never a z.
std::vector<std::string> LetterRunNames(int count) {
    std::mt19937 random(7);
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        std::string name;
        for (char letter = 'a'; letter <= 'm'; ++letter) {
            for (unsigned filler = random() % 3; filler > 0; --filler)
                name += static_cast<char>('n' + random() % 12);
            name += letter;
        }
        name += kExtensions[random() % std::size(kExtensions)];
        names.push_back(std::move(name));
    }
    return names;
}

template <typename Match> long CountMatches(const std::vector<std::string>& names, Match match) {
    long matches = 0;
    for (const std::string& name : names)
        for (const char* mask : kSimpleMasks)
            matches += match(name.c_str(), mask) ? 1 : 0;
    return matches;
}

long CountMaskMatches(const std::vector<std::string>& names, const char* mask) {
    long matches = 0;
    for (const std::string& name : names)
        matches += MaskMatch(name.c_str(), mask);
    return matches;
}

// Names ending in ".c" or ".C", counted by hand.
long CountDotC(const std::vector<std::string>& names) {
    long count = 0;
    for (const std::string& name : names) {
        const size_t n = name.size();
        count += n >= 2 && name[n - 2] == '.' && (name[n - 1] == 'c' || name[n - 1] == 'C');
    }
    return count;
}

void BenchMasks(Report& report, int count) {
    const std::vector<std::string> names = RandomNames(count);
    long ours = -1;
    long theirs = -2;
    const auto simple = bench::Interleave(
        {[&] {
            ours =
                CountMatches(names, [](const char* n, const char* m) { return MaskMatch(n, m); });
        }},
        {[&] {
            theirs = CountMatches(names, [](const char* n, const char* m) {
                return fnmatch(m, n, FNM_CASEFOLD) == 0;
            });
        }},
        report.Rounds());
    report.Check(ours == theirs, "MaskMatch and fnmatch matched different numbers of names");
    report.Ratio("mask / fnmatch", simple.ours, simple.theirs, 1.0,
                 Milliseconds(simple.ours) + " / " + Milliseconds(simple.theirs));

    const std::vector<std::string> runs = LetterRunNames(count);
    const long expectedDotC = CountDotC(runs);
    long many = -1;
    long dotC = -1;
    const auto stars = bench::Interleave(
        {[&] { many = CountMaskMatches(runs, kManyStars); },
         {},
         [&] { report.Check(many == 0, "the many-star mask matched a name without z"); }},
        {[&] { dotC = CountMaskMatches(runs, "*.c"); },
         {},
         [&] {
             report.Check(dotC == expectedDotC,
                          "\"*.c\" matched other names than those ending in .c");
         }},
        report.Rounds());
    report.Ratio("many stars / *.c", stars.ours, stars.theirs, 2.0,
                 Milliseconds(stars.ours) + " / " + Milliseconds(stars.theirs));
}

// Reads every element of a list of count by index; whether each was the one appended.
bool ScanList(LinkList* list, int32_t count, const std::vector<int>& values) {
    bool right = true;
    for (int32_t i = 0; i < count; ++i) {
        const LinkNode* node = LinkList_At(list, i);
        right &= node != nullptr && node->payload == &values[static_cast<size_t>(i)];
    }
    return right;
}

void BenchScan(Report& report, int32_t shortCount) {
    const int32_t longCount = 10 * shortCount;
    std::vector<int> values(static_cast<size_t>(longCount)); // what the nodes point at
    LinkList* longList = LinkList_New(0);
    LinkList* shortList = LinkList_New(0);
    for (int32_t i = 0; i < longCount; ++i) {
        LinkList_Append(longList, &values[static_cast<size_t>(i)]);
        if (i < shortCount) LinkList_Append(shortList, &values[static_cast<size_t>(i)]);
    }
    bool longRight = false;
    bool shortRight = false;
    const auto scans = bench::Interleave(
        {[&] { longRight = ScanList(longList, longCount, values); }},
        {[&] { shortRight = ScanList(shortList, shortCount, values); }}, report.Rounds());
    report.Check(longRight && shortRight, "LinkList_At gave another element than was appended");
    // Reported only: the longer list outgrows the processor's caches, so
    // the ratio measures the machine more than the list.
    report.Note("scan 10x / 1x: ratio " + std::to_string(scans.ours / scans.theirs) +
                " (reported only)   " + Milliseconds(scans.ours) + " / " +
                Milliseconds(scans.theirs));
    LinkList_Free(longList);
    LinkList_Free(shortList);
}

void BenchLoad(Report& report, const std::filesystem::path& folder, int lines) {
    const std::filesystem::path path = folder / "list.txt";
    {
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < lines; ++i) {
            out << "name_" << i << ".txt";
            if (i % 7 == 0) out << "   // a comment";
            if (i % 11 == 0) out << " /* block */";
            out << "\r\n";
        }
    }
    int32_t loaded = -1;
    // The load prints a line of its own for every file it opens; keep them
    // out of the report.
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    const auto times = bench::Interleave({[&] {
                                             CCLStringList list;
                                             list.LoadFromFile(path.c_str(), 0x5D800000);
                                             loaded = list.Count();
                                         }},
                                         {[&] {
                                             bench::Run({"wc", "-l", path.string()});
                                         }},
                                         report.Rounds());
    std::fflush(stdout);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    close(null);
    report.Check(loaded == lines, "the list file loaded " + std::to_string(loaded) + " lines of " +
                                      std::to_string(lines));
    report.Note("load / wc -l: ratio " + std::to_string(times.ours / times.theirs) +
                " (reported only)   " + Milliseconds(times.ours) + " / " +
                Milliseconds(times.theirs));
}

} // namespace

int main(int argc, char** argv) {
    const bench::Options options = bench::ReadOptions(argc, argv);
    const Sizes sizes = options.smoke ? kSmokeSizes : kFullSizes;
    const bench::DataFolder data(options);
    Report report(options);
    BenchMasks(report, sizes.names);
    BenchScan(report, sizes.shortList);
    BenchLoad(report, data.Path(), sizes.listLines);
    return report.ExitCode();
}
