// A temporary folder for tests that need files, removed with its contents.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

class TempFolder {
public:
    // A new folder "<prefix><random number>" in the system's temporary
    // folder. Throws when none can be made.
    explicit TempFolder(const std::string& prefix = "tamble-test-") {
        std::random_device random;
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = base / (prefix + std::to_string(random()));
            // False only when the name is taken; throws on every other failure.
            if (std::filesystem::create_directory(path_)) return;
        }
        throw std::runtime_error("no free name for a temporary folder in " + base.string());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    [[nodiscard]] std::string Path() const { return path_.string(); }
    // name may use "/" between folders; the path has the system's separators.
    [[nodiscard]] std::string File(const std::string& name) const {
        return (path_ / std::filesystem::path(name).make_preferred()).string();
    }

    std::string Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(File(name), std::ios::binary) << bytes;
        return File(name);
    }

    [[nodiscard]] std::string Read(const std::string& name) const {
        std::ifstream in(File(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path path_;
};
