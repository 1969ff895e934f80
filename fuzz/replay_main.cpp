// Runs a fuzz target's LLVMFuzzerTestOneInput on saved inputs, so that the
// seed corpus and every saved crash input are replayed as ordinary tests
// in the normal (g++, sanitized) build.
//
//   replay PATH...                  every file of each folder PATH (or PATH
//                                   itself when it is a file), in name order;
//                                   hidden files are not inputs
//   replay --skip FILE ... PATH...  the same without FILE (a known fault)
//   replay --expect-failure FILE    succeeds only when FILE still makes the
//                                   target fail, each input in a child process
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<std::string> InputFiles(const std::vector<std::string>& paths,
                                    const std::set<fs::path>& skipped) {
    std::vector<std::string> files;
    for (const std::string& path : paths) {
        std::vector<fs::path> found;
        if (fs::is_directory(path)) {
            for (const fs::directory_entry& entry : fs::directory_iterator(path))
                // Hidden files (".keep") only hold a folder in the tree.
                if (entry.is_regular_file() && entry.path().filename().string()[0] != '.')
                    found.push_back(entry.path());
            std::sort(found.begin(), found.end());
        } else if (fs::exists(path)) {
            found.emplace_back(path);
        }
        for (const fs::path& file : found)
            if (!skipped.count(fs::weakly_canonical(file)))
                files.push_back(fs::absolute(file).string());
    }
    return files;
}

std::vector<uint8_t> ReadInput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Run(const std::string& path) {
    const std::vector<uint8_t> bytes = ReadInput(path);
    std::fprintf(stderr, "replaying %s (%zu bytes)\n", path.c_str(), bytes.size());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

// 0 when the input at path makes the target fail (abort, sanitizer report,
// any non-zero exit), else 1.
int ExpectFailure(const std::string& path) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        Run(path);
        std::fflush(nullptr);
        _exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return 1;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        std::fprintf(stderr,
                     "%s no longer fails: the fault is mended, so take it off the "
                     "known-failing list of fuzz/CMakeLists.txt\n",
                     path.c_str());
        return 1;
    }
    std::fprintf(stderr, "%s fails as expected (a known fault)\n", path.c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> paths;
    std::set<fs::path> skipped;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--expect-failure" && i + 1 < argc) return ExpectFailure(argv[++i]);
        if (arg == "--skip" && i + 1 < argc) {
            skipped.insert(fs::weakly_canonical(argv[++i]));
        } else {
            paths.push_back(arg);
        }
    }
    // Read the whole list first: a target may change the current folder.
    const std::vector<std::string> files = InputFiles(paths, skipped);
    for (const std::string& file : files)
        Run(file);
    std::fprintf(stderr, "%zu inputs replayed\n", files.size());
    return 0;
}
