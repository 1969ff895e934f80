// Times the batch tools against standard tools on the same data, in one
// run, and prints one ratio per line with its target:
//   collect     the delete-by-mask search for "*.c;*.h" sparing ".git" and
//               "build" over 55,000 files / find with -prune and -iname
//   wild mask   the same search with a mask of many stars / with "*.c"
//   copy small  one 1 KiB file to the 500 names of a list / tee to them
//   copy large  one 64 MiB file to the 8 names of a list / tee to them
// The data lives in the temporary folder and is removed afterwards.
#include "benchcommon.h"
#include "copybylist.h"
#include "maskedfiles.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using bench::Median;
using bench::Run;
using bench::Touch;

constexpr int kTopFolders = 20;
constexpr int kSubFolders = 25;
constexpr int kFilesPerFolder = 100; // 20 x 25 x 100 = 50,000 files, plus the spared ones
constexpr int kSparedFiles = 2500;   // in each of .git and the build folders
constexpr const char* kExtensions[] = {"c", "h", "o", "txt", "cpp", "C", "H"};
constexpr int kSmallCopies = 500;
constexpr size_t kSmallSize = 1024;
constexpr int kLargeCopies = 8;
constexpr size_t kLargeSize = size_t{64} << 20;

// Names long enough, and holding enough of the wild mask's letters, that
// the mask has work to do on every one.
void MakeTree(const fs::path& root) {
    char name[96];
    int n = 0;
    for (int top = 0; top < kTopFolders; ++top) {
        for (int sub = 0; sub < kSubFolders; ++sub) {
            const fs::path folder =
                root / ("module" + std::to_string(top)) / ("part" + std::to_string(sub));
            fs::create_directories(folder);
            for (int i = 0; i < kFilesPerFolder; ++i, ++n) {
                std::snprintf(name, sizeof name, "abcdefghijklm_source_%06d.%s", n,
                              kExtensions[n % std::size(kExtensions)]);
                Touch(folder / name);
            }
        }
    }
    for (const char* spared : {".git/objects", "module3/build"}) {
        fs::create_directories(root / spared);
        for (int i = 0; i < kSparedFiles; ++i) {
            std::snprintf(name, sizeof name, "object_%06d.%s", i, i % 2 == 0 ? "c" : "h");
            Touch(root / spared / name);
        }
    }
}

size_t Collect(const std::string& root, const char* masks) {
    tamble::MaskedFileOptions options;
    options.findSubFolders = true;
    options.outOfFolderPattern = true;
    options.folderPattern = ".git;build";
    std::vector<std::string> found;
    tamble::CollectMaskedFiles(root, masks, options, found);
    return found.size();
}

void WriteFile(const fs::path& path, size_t size) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<char>(i * 31 + i / 977);
    std::ofstream(path, std::ios::binary) << bytes;
}

// The list file of count names and the same targets as tee arguments.
std::vector<std::string> MakeList(const fs::path& folder, const fs::path& list, int count) {
    std::ofstream out(list, std::ios::binary);
    std::vector<std::string> targets;
    for (int i = 0; i < count; ++i) {
        const std::string name = "copy" + std::to_string(i);
        out << name << "\r\n";
        targets.push_back((folder / name).string());
    }
    return targets;
}

void PrintRatio(const char* what, double ours, double theirs, double target) {
    const double ratio = ours / theirs;
    std::printf("%-11s %.3f s / %.3f s = ratio %.2f (target <= %.1f) %s\n", what, ours, theirs,
                ratio, target, ratio <= target ? "ok" : "MISSED");
}

void BenchCopy(const fs::path& folder, const char* what, int copies, size_t size, double target) {
    fs::create_directories(folder / "ours");
    fs::create_directories(folder / "tee");
    const fs::path source = folder / "source.bin";
    WriteFile(source, size);
    const fs::path list = folder / "list.txt";
    MakeList(folder / "ours", list, copies);
    std::vector<std::string> tee{"tee"};
    for (const std::string& target : MakeList(folder / "tee", folder / "unused.txt", copies))
        tee.push_back(target);

    const tamble::CopyByListRequest request{source.string(), (folder / "ours").string(),
                                            list.string(), false};
    int failures = 0;
    const double ours = Median([&] { failures += tamble::RunCopyByList(request, {}); });
    const double theirs = Median([&] { Run(tee, source.string()); });
    if (failures != 0) std::printf("%s: %d copies failed\n", what, failures);
    PrintRatio(what, ours, theirs, target);
}

} // namespace

int main() {
    std::string pattern = (fs::temp_directory_path() / "tamble-bench-XXXXXX").string();
    const fs::path root = mkdtemp(pattern.data());
    const fs::path tree = root / "tree";
    MakeTree(tree);
    const std::string d = tree.string();

    size_t found = 0;
    const double collect = Median([&] { found = Collect(d, "*.c;*.h"); });
    const double find = Median([&] {
        Run({"find",  d,   "(", "-name",  ".git", "-o", "-name",  "build", ")", "-prune", "-o",
             "-type", "f", "(", "-iname", "*.c",  "-o", "-iname", "*.h",   ")", "-print"});
    });
    std::printf("collect found %zu files\n", found);
    PrintRatio("collect", collect, find, 1.0);

    const double wild = Median([&] { Collect(d, "a*b*c*d*e*f*g*h*i*j*k*l*m*z"); });
    const double plain = Median([&] { Collect(d, "*.c"); });
    PrintRatio("wild mask", wild, plain, 2.0);

    BenchCopy(root / "small", "copy small", kSmallCopies, kSmallSize, 1.5);
    BenchCopy(root / "large", "copy large", kLargeCopies, kLargeSize, 1.0);

    std::error_code ignored;
    fs::remove_all(root, ignored);
    return 0;
}
