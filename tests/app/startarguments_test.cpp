#include "app/startarguments.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using tamble::StartArguments;
using Action = StartArguments::Action;

TEST(StartArguments, ReadsTheCommandLine) {
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        Action action;
        std::optional<std::string> path;
        const char* errorPart; // "" when no error is expected
    } cases[] = {
        {"nothing", {}, Action::Run, std::nullopt, ""},
        {"a path", {"/tmp/work"}, Action::Run, "/tmp/work", ""},
        {"a relative path", {"src"}, Action::Run, "src", ""},
        {"short help", {"-h"}, Action::ShowHelp, std::nullopt, ""},
        {"help after a path", {"x", "--help"}, Action::ShowHelp, "x", ""},
        {"help wins over a bad option after it",
         {"--help", "--bogus"},
         Action::ShowHelp,
         std::nullopt,
         ""},
        {"version", {"--version"}, Action::ShowVersion, std::nullopt, ""},
        {"unknown long option", {"--verbose"}, Action::Refuse, std::nullopt, "'--verbose'"},
        {"unknown short option", {"-x"}, Action::Refuse, std::nullopt, "'-x'"},
        {"a lone dash", {"-"}, Action::Refuse, std::nullopt, "'-'"},
        {"Qt's own option", {"-platform", "xcb"}, Action::Refuse, std::nullopt, "'-platform'"},
        {"a path after --", {"--", "-notes"}, Action::Run, "-notes", ""},
        {"help after -- is a path", {"--", "--help"}, Action::Run, "--help", ""},
        {"two paths", {"a", "b"}, Action::Refuse, std::nullopt, "more than one path"},
        {"an empty path", {""}, Action::Refuse, std::nullopt, "empty path"},
        {"bytes that are not UTF-8", {"/tmp/\xff\xfe"}, Action::Run, "/tmp/\xff\xfe", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const StartArguments read = tamble::ReadStartArguments(c.arguments);
        EXPECT_EQ(read.action, c.action);
        if (c.action == Action::Run) {
            EXPECT_EQ(read.path, c.path);
        }
        EXPECT_NE(read.error.find(c.errorPart), std::string::npos) << read.error;
        if (*c.errorPart == '\0') {
            EXPECT_EQ(read.error, "");
        }
    }
}

TEST(StartArguments, TextsEndInANewline) {
    for (const std::string& text : {tamble::HelpText(), tamble::VersionText(), tamble::HelpHint()})
        EXPECT_EQ(text.back(), '\n');
    EXPECT_NE(tamble::HelpText().find("--version"), std::string::npos);
}

TEST(StartArguments, KindOfStartPath) {
    TempFolder folder;
    std::filesystem::create_directory(folder.File("sub.prj"));
    folder.Write("Work.PRJ", "");
    folder.Write("notes.txt", "");
    folder.Write("prj", "");
#ifndef _WIN32
    // Links on Windows need a privilege that a user rarely has.
    std::filesystem::create_symlink(folder.File("sub.prj"), folder.File("link"));
    std::filesystem::create_symlink(folder.File("gone"), folder.File("dangling.prj"));
#endif
    const struct {
        const char* name;
        std::string path;
        tamble::StartPathKind kind;
    } cases[] = {
        {"folder named like a project", folder.File("sub.prj"), tamble::StartPathKind::Folder},
        {"project in capitals", folder.File("Work.PRJ"), tamble::StartPathKind::ProjectFile},
        {"other file", folder.File("notes.txt"), tamble::StartPathKind::OtherFile},
        {"extension without a dot", folder.File("prj"), tamble::StartPathKind::OtherFile},
#ifndef _WIN32
        {"link to a folder", folder.File("link"), tamble::StartPathKind::Folder},
        {"dangling link", folder.File("dangling.prj"), tamble::StartPathKind::Missing},
#endif
        {"missing", folder.File("nothing"), tamble::StartPathKind::Missing},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tamble::KindOfStartPath(c.path), c.kind);
    }
}

} // namespace
