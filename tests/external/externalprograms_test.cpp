#include "external/externalprograms.h"

#include "platform/codepage.h"
#include "platform/commandline.h"
#include "platform/programstart.h"
#include "tests/common/scriptedprompts.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::ProgramStart;
using platform::ShowCommand;
using Arguments = std::vector<std::string>;

namespace {

// Installs a recording starter for the life of the fixture.
class ExternalPrograms : public ::testing::Test {
protected:
    ExternalPrograms() {
        platform::SetProgramStarter([this](const ProgramStart& start) { starts.push_back(start); });
    }
    ~ExternalPrograms() override { platform::SetProgramStarter({}); }

    std::vector<ProgramStart> starts;
    platform::ScriptedPrompts prompts;
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
    tamble::RunStringSearch(viaEditor, prompts, "-sf:$PATH -gf:$FILE", "/src", "main.c");

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
    tamble::RunStringSearch(noSearch, prompts, "$PATH", "/src", "");
    EXPECT_TRUE(prompts.asked.empty());
    EXPECT_TRUE(starts.empty());
}

TEST_F(ExternalPrograms, ASearchTooLongToStartSaysSo) {
    tamble::RunStringSearch(Options(), prompts, std::string(600, 'x'), "/src", "");
    tamble::RunStringSearch(Options(), prompts, "$PATH", std::string(512, 'p'), "");
    EXPECT_TRUE(starts.empty());
    ASSERT_EQ(prompts.asked.size(), 2U);
    for (const auto& question : prompts.asked) {
        EXPECT_EQ(question.kind, "Message");
        EXPECT_EQ(question.title, platform::Cp932("エラー"));
        EXPECT_EQ(question.icon, platform::PromptIcon::Error);
        EXPECT_NE(question.text.find("511"), std::string::npos);
    }
}

TEST(ExpandSearchTemplate, ReplacesTheFirstOfEachMacroOfTheTemplate) {
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
        {"$FILE inside the path is part of the path", "$PATH -g:$FILE", "/x$FILE", "f",
         "/x$FILE -g:f"},
        {"path holding $PATH is not expanded again", "$PATH", "/$PATH", "", "/$PATH"},
        {"a lone empty $FILE gives no argument", "-sf:$PATH $FILE", "/s", "", "-sf:/s"},
        {"an empty $FILE between quotes is an empty argument", "\"$FILE\"", "", "", "\"\""},
        {"511 bytes fit", std::string(505, 'x') + "$PATH", "/abcde", "",
         std::string(505, 'x') + "/abcde"},
        {"512 bytes are refused", std::string(505, 'x') + "$PATH", "/abcdef", "", std::nullopt},
        {"quotes count", std::string(500, 'x') + " $FILE", "", "a b c d e", std::nullopt},
        {"a long file name is refused", "$FILE", "", std::string(512, 'f'), std::nullopt},
        {"an argument ending in a lone lead byte is refused", "$FILE", "", "a b\x81", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tamble::ExpandSearchTemplate(c.templateText, c.path, c.file), c.expected)
            << c.name;
}

TEST(ExpandSearchTemplate, EveryNameArrivesAsOneArgument) {
    const std::string names[] = {
        "a; touch pwned",
        "-e x",
        "-",
        "say \"hi\".txt",
        "\"",
        "back\\slash",
        "trailing\\",
        "two trailing\\\\",
        "\\\"",
        "tab\there",
        " lead and trail ",
        "$(touch x) `id` | & > *",
        "$FILE",
        "$PATH",
        platform::Utf8ToCp932("表 示.txt"), // second byte 0x5C
        platform::Utf8ToCp932("¬ ¥ ‾ —.txt"),
        platform::Utf8ToCp932("\xF3\xA0\x80\x81 tag"),
        platform::Utf8ToCp932("😀 x\xFF"),
    };
    const struct {
        const char* templateText;
        std::vector<std::string> (*expected)(const std::string& path, const std::string& name);
    } templates[] = {
        {"-sf:$PATH -gf:$FILE",
         [](const std::string& p, const std::string& n) {
             return Arguments{"-sf:" + p, "-gf:" + n};
         }},
        {"$FILE", [](const std::string&, const std::string& n) { return Arguments{n}; }},
        {"-sf:\"$PATH\" \"$FILE\"",
         [](const std::string& p, const std::string& n) {
             return Arguments{"-sf:" + p, n};
         }},
        {"\"-x $PATH\\\\\" $FILE\\",
         [](const std::string& p, const std::string& n) {
             return Arguments{"-x " + p + "\\", n + "\\"};
         }},
    };
    for (const auto& t : templates) {
        for (const std::string& name : names) {
            const std::string path = "/home/me/" + name;
            const std::optional<std::string> text =
                tamble::ExpandSearchTemplate(t.templateText, path, name);
            ASSERT_TRUE(text.has_value()) << t.templateText << " " << name;
            EXPECT_EQ(platform::SplitCommandLine(*text), t.expected(path, name))
                << t.templateText << " " << name << " -> " << *text;
        }
    }
}
