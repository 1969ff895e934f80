#include "app/startarguments.h"

#include "core/errortext.h"
#include "platform/nativepath.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tamble {
namespace {

StartArguments Refused(std::string error) {
    StartArguments refused;
    refused.action = StartArguments::Action::Refuse;
    refused.error = std::move(error);
    return refused;
}

} // namespace

StartArguments ReadStartArguments(const std::vector<std::string>& arguments) {
    StartArguments result;
    bool optionsEnded = false;
    for (const std::string& argument : arguments) {
        const bool isOption = !optionsEnded && !argument.empty() && argument[0] == '-';
        if (isOption) {
            if (argument == "--") {
                optionsEnded = true;
            } else if (argument == "-h" || argument == "--help") {
                result.action = StartArguments::Action::ShowHelp;
                return result;
            } else if (argument == "--version") {
                result.action = StartArguments::Action::ShowVersion;
            } else {
                return Refused("unknown option '" + argument + "'");
            }
        } else if (argument.empty()) {
            return Refused("empty path");
        } else if (result.path) {
            return Refused("more than one path ('" + *result.path + "', '" + argument + "')");
        } else {
            result.path = argument;
        }
    }
    return result;
}

StartPathKind KindOfStartPath(const std::string& nativePath) {
    std::error_code error;
    const std::filesystem::path path = platform::PathOfText(nativePath);
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status)) return StartPathKind::Missing;
    if (std::filesystem::is_directory(status)) return StartPathKind::Folder;
    constexpr std::string_view kExtension = ".prj";
    const bool project =
        nativePath.size() > kExtension.size() &&
        std::equal(kExtension.begin(), kExtension.end(), nativePath.end() - kExtension.size(),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    return project ? StartPathKind::ProjectFile : StartPathKind::OtherFile;
}

std::optional<std::string> StartFolderOf(const std::string& nativePath) {
    switch (KindOfStartPath(nativePath)) {
    case StartPathKind::Folder:
        return nativePath;
    case StartPathKind::OtherFile:
        return platform::TextOfPath(platform::PathOfText(nativePath).parent_path());
    case StartPathKind::ProjectFile:
    case StartPathKind::Missing:
        break;
    }
    return std::nullopt;
}

std::string HelpText() {
    return "Usage: tamble [PATH]\n"
           "       tamble --help | --version\n"
           "\n"
           "A small utility for programmers: projects of files, a file view and a\n"
           "launcher in one narrow window. One Tamble runs per session.\n"
           "\n"
           "  PATH       a folder to show in the file view, or a project file (.prj)\n"
           "             to open; a running Tamble is handed PATH and this start ends\n"
           "             with exit code 1\n"
           "  -h, --help print this help and exit\n"
           "  --version  print the version and exit\n"
           "  --         end of options (for a PATH that starts with '-')\n";
}

std::string VersionText() {
    return std::string(kVersionCaption) + "\n";
}

std::string HelpHint() {
    return "Try 'tamble --help' for more information.\n";
}

} // namespace tamble
