#include "externalprograms.h"
#include "programstart.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::ProgramStart;
using platform::ShowCommand;

namespace {

// Installs a recording starter for the life of the fixture.
class ExternalPrograms : public ::testing::Test {
protected:
    ExternalPrograms() {
        platform::SetProgramStarter([this](const ProgramStart& start) { starts.push_back(start); });
    }
    ~ExternalPrograms() override { platform::SetProgramStarter({}); }

    std::vector<ProgramStart> starts;
};

tamble::AppOptions Options() {
    tamble::AppOptions options;
    options.UseEditor = "/usr/bin/editor";
    options.SearchStringApp = "grepper";
    return options;
}

} // namespace

TEST_F(ExternalPrograms, EachOperationMakesOneStartAsItsTableSays) {
    tamble::AppOptions viaEditor = Options();
    tamble::AppOptions viaDesktop = Options();
    viaDesktop.AllOpenEditor = false;
    const std::string path = "/home/u/My Files/a \"b\".txt";

    tamble::OpenInEditor(viaEditor, path);
    tamble::OpenInEditor(viaDesktop, path);
    tamble::ShellOpenFile(path);
    tamble::OpenExplorer("/home/u/My Files");
    tamble::LaunchItem("tool", "-a \"b c\"");
    tamble::LaunchItem("tool", "");
    tamble::LaunchItemWithFile("tool", path);
    tamble::RunStringSearch(viaEditor, "-sf:$PATH -gf:$FILE", "/src", "main.c");

    const std::vector<ProgramStart> expected = {
        {"/usr/bin/editor", path, true, ShowCommand::Normal},
        {path, std::nullopt, false, ShowCommand::Normal},
        {path, std::nullopt, false, ShowCommand::Show},
        {"explorer", "/home/u/My Files", true, ShowCommand::Show},
        {"tool", "-a \"b c\"", false, ShowCommand::Show},
        {"tool", "", false, ShowCommand::Show},
        {"tool", path, true, ShowCommand::Show},
        {"grepper", "-sf:/src -gf:main.c", false, ShowCommand::Show},
    };
    EXPECT_EQ(starts, expected);
}

TEST_F(ExternalPrograms, NothingStartsWithoutAProgramOrPath) {
    tamble::AppOptions noSearch = Options();
    noSearch.SearchStringApp.clear();
    tamble::OpenInEditor(Options(), "");
    tamble::LaunchItem("", "-x");
    tamble::RunStringSearch(noSearch, "$PATH", "/src", "");
    tamble::RunStringSearch(Options(), std::string(600, 'x'), "/src", "");
    EXPECT_TRUE(starts.empty());
}

TEST(ExpandSearchTemplate, ReplacesTheFirstOfEachMacroInOrder) {
    const struct {
        const char* name;
        std::string templateText, path, file;
        std::optional<std::string> expected;
    } cases[] = {
        {"both", "-sf:$PATH -gf:$FILE", "D:\\src", "main.c", "-sf:D:\\src -gf:main.c"},
        {"no selection", "-sf:$PATH -gf:$FILE", "/s", "", "-sf:/s -gf:"},
        {"second $PATH stays", "$PATH $PATH", "/a", "", "/a $PATH"},
        {"case matters", "$path $File", "/a", "f", "$path $File"},
        {"no $FILE ignores the file", "-sf:$PATH", "/a", "f", "-sf:/a"},
        {"$FILE inside the path is replaced first", "$PATH -g:$FILE", "/x$FILE", "f",
         "/xf -g:$FILE"},
        {"path holding $PATH is not expanded again", "$PATH", "/$PATH", "", "/$PATH"},
        {"511 bytes fit", std::string(505, 'x') + "$PATH", "/abcde", "",
         std::string(505, 'x') + "/abcde"},
        {"512 bytes are refused", std::string(505, 'x') + "$PATH", "/abcdef", "", std::nullopt},
        {"a long file name is refused", "$FILE", "", std::string(512, 'f'), std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tamble::ExpandSearchTemplate(c.templateText, c.path, c.file), c.expected)
            << c.name;
}
