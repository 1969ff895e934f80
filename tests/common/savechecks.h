// Checks shared by the tests of atomic saves: what a folder holds, a write
// failure that root cannot get round (not on Windows: filesizelimit.h), and
// two saves of one file at once.
#pragma once

#include "tests/common/tempfolder.h"
#ifndef _WIN32
#include "tests/common/filesizelimit.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

// The names in folder, sorted.
inline std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A save of text to path; true when it reported success.
using SaveFunction = std::function<bool(const std::string& path, const std::string& text)>;

// Runs rounds of two threads that save two different large texts to path
// at the same moment. Returns the first fault seen ("" for none): a save
// that reported failure, a file that is neither text whole, or another name
// left in path's folder.
inline std::string RaceTwoSaves(const std::string& path, const SaveFunction& save, int rounds) {
    constexpr size_t kTextBytes = 256 * 1024;
    const std::string texts[2] = {std::string(kTextBytes, 'A'), std::string(kTextBytes, 'B')};
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const std::string name = std::filesystem::path(path).filename().string();
    for (int round = 0; round < rounds; ++round) {
        // Each writer spins until both are there. (Not std::latch: its wait
        // in the C++ library of mingw-w64 can miss the wake-up and hang.)
        std::atomic<int> ready{0};
        bool saved[2] = {false, false};
        auto writer = [&](int which) {
            ready.fetch_add(1);
            while (ready.load() < 2)
                std::this_thread::yield();
            saved[which] = save(path, texts[which]);
        };
        std::thread first(writer, 0);
        std::thread second(writer, 1);
        first.join();
        second.join();
        const std::string at = " in round " + std::to_string(round);
        if (!saved[0] || !saved[1]) return "a save failed" + at;
        std::ifstream in(path, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        if (bytes != texts[0] && bytes != texts[1]) return "the file mixes both saves" + at;
        if (FolderNames(folder) != std::vector<std::string>{name})
            return "a temporary file was left" + at;
    }
    return {};
}

// Saves that must fail, each on a fresh folder holding "plain" and a folder
// "old" with "file.txt" and "inside": each returns false, and the folder
// holds exactly what it held, no temporary file included.
inline void ExpectFailedSavesKeepOldFiles(const SaveFunction& save) {
    struct Case {
        const char* name;
        const char* target; // relative to the folder
        size_t sizeLimit;   // 0: none
    };
    const Case cases[] = {
        {"the target is a folder", "old", 0},
        {"the target's folder is a file", "old/inside/x.txt", 0},
        {"the target's folder is missing", "missing/x.txt", 0},
#ifndef _WIN32
        {"the disk takes only part of the bytes", "old/file.txt", 16},
#endif
    };
    for (const Case& c : cases) {
        TempFolder folder;
        folder.Write("plain", "p");
        std::filesystem::create_directory(folder.File("old"));
        folder.Write("old/file.txt", "old bytes");
        folder.Write("old/inside", "a file");
        bool saved;
        {
#ifndef _WIN32
            std::unique_ptr<FileSizeLimit> limit;
            if (c.sizeLimit > 0) limit = std::make_unique<FileSizeLimit>(c.sizeLimit);
#endif
            saved = save(folder.File(c.target), std::string(4096, 'n'));
        }
        EXPECT_FALSE(saved) << c.name;
        EXPECT_EQ(FolderNames(folder.Path()), (std::vector<std::string>{"old", "plain"})) << c.name;
        EXPECT_EQ(FolderNames(folder.File("old")), (std::vector<std::string>{"file.txt", "inside"}))
            << c.name;
        EXPECT_EQ(folder.Read("old/file.txt"), "old bytes") << c.name;
    }
}
