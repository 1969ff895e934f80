#include "platform/locations.h"

#include "platform/paths.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

constexpr const char* kConfigFolderName = "tamble";

std::string ConfigHomeFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    if (configHome != nullptr && *configHome != '\0')
        return std::string(configHome) + "/" + kConfigFolderName;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.config/" + kConfigFolderName;
}

std::string EnsureFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder;
}

} // namespace

bool IsSystemProgramFolder(const std::string& folder) {
    static constexpr const char* kSystemFolders[] = {
        "/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/games", "/usr/local/bin", "/usr/local/sbin",
    };
    for (const char* system : kSystemFolders)
        if (folder == system) return true;
    return false;
}

std::string ProgramPath() {
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ProgramFolder() {
    return DirName(ProgramPath());
}

std::string DataFolder() {
    const char* override = std::getenv("TAMBLE_CONFIG_DIR");
    if (override != nullptr && *override != '\0') return EnsureFolder(override);
    const std::string programFolder = ProgramFolder();
    if (!programFolder.empty() && !IsSystemProgramFolder(programFolder) &&
        access(programFolder.c_str(), W_OK) == 0)
        return programFolder;
    return EnsureFolder(ConfigHomeFolder());
}

std::string SettingsFilePath() {
    std::string name = BaseName(ProgramPath());
    if (name.empty()) name = kConfigFolderName;
    return DataFolder() + "/" + ReplaceExtension(name, ".ini");
}

} // namespace platform
