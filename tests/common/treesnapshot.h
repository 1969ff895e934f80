// What a folder tree holds, to check that an operation left it alone.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

// Every entry under folder (links not followed): relative path to the
// file's bytes, a link's target, or "/" for a folder.
inline std::map<std::string, std::string> TreeSnapshot(const std::string& folder) {
    namespace fs = std::filesystem;
    std::map<std::string, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(folder); it != fs::end(it); ++it) {
        const std::string name = it->path().lexically_relative(folder).generic_string();
        if (it->is_symlink()) {
            entries[name] = "-> " + fs::read_symlink(it->path()).string();
        } else if (it->is_directory()) {
            entries[name] = "/";
        } else {
            std::ifstream in(it->path(), std::ios::binary);
            entries[name] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return entries;
}
