// Runs a fuzz target's LLVMFuzzerTestOneInput on saved inputs, so that the
// seed corpus and every saved crash input are replayed as ordinary tests
// in the normal (g++, sanitized) build.
//
//   replay PATH...                  every file of each folder PATH (or PATH
//                                   itself when it is a file), in name order;
//                                   hidden files are not inputs
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<std::string> InputFiles(const std::vector<std::string>& paths) {
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

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> paths(argv + 1, argv + argc);
    // Read the whole list first: a target may change the current folder.
    const std::vector<std::string> files = InputFiles(paths);
    for (const std::string& file : files)
        Run(file);
    std::fprintf(stderr, "%zu inputs replayed\n", files.size());
    return 0;
}
