#include "platform/paths.h"
#include "tests/common/tempfolder.h"
#include "tools/copybylist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;
using tamble::CopyByListEvents;
using tamble::CopyByListRequest;
using Lines = std::vector<std::string>;

const char kSeparator = platform::Separator(platform::NativePathStyle());

TEST(CopyTargetPath, ExtensionRuleAndJoin) {
    // '|' stands for the system's separator; a name may hold a '/' of its own.
    struct Case {
        const char* folder;
        const char* name;
        const char* source;
        bool keep;
        const char* expected;
    };
    const Case cases[] = {
        {"|out", "a", "|tmpl|form.txt", true, "|out|a.txt"},
        {"|out", "a", "|tmpl|Makefile", true, "|out|a"},
        {"|out", "a", "|x.dir|readme", true, "|out|a"},
        {"|out", "a", "|tmpl|a.tar.gz", true, "|out|a.gz"},
        {"|out", "a.c", "|tmpl|form.txt", true, "|out|a.c.txt"},
        {"|out", "sub/b", "|t|f.c", true, "|out|sub/b.c"},
        {"", "a", "|t|f", false, "|a"},
    };
    const auto native = [](std::string text) {
        std::replace(text.begin(), text.end(), '|', kSeparator);
        return text;
    };
    for (const Case& c : cases)
        EXPECT_EQ(tamble::CopyTargetPath(native(c.folder), c.name, native(c.source), c.keep),
                  native(c.expected))
            << c.folder << " + " << c.name << " from " << c.source;
}

// A run with every event recorded as one line.
struct Recorder {
    Lines events;
    CopyByListEvents Events(const std::string& folder) {
        CopyByListEvents e;
        e.begin = [this](int count) { events.push_back("begin " + std::to_string(count)); };
        e.failed = [this, folder](const std::string& target, const std::string& source) {
            events.push_back("failed " + Relative(target, folder) + " from " + source);
        };
        e.step = [this, folder](const std::string& target) {
            events.push_back("step " + Relative(target, folder));
        };
        return e;
    }
    static std::string Relative(const std::string& path, const std::string& folder) {
        return path.rfind(folder + kSeparator, 0) == 0 ? path.substr(folder.size() + 1) : path;
    }
};

class CopyByList : public ::testing::Test {
protected:
    void SetUp() override {
        source_ = templates_.Write("form.txt", "template body\n");
        fs::create_directory(out_.File("sub"));
    }

    Lines Run(const std::string& list, bool keepExtension) {
        CopyByListRequest request;
        request.source = source_;
        request.targetFolder = out_.Path();
        request.listFile = templates_.Write("list.txt", list);
        request.keepExtension = keepExtension;
        Recorder recorder;
        failures_ = tamble::RunCopyByList(request, recorder.Events(out_.Path()));
        return recorder.events;
    }

    TempFolder templates_;
    TempFolder out_;
    std::string source_;
    int failures_ = 0;
};

TEST_F(CopyByList, ListLinesCommentsAndDirectives) {
    const std::string list = "// names of the set\r\n"
                             "alpha   \r\n"
                             "\r\n"
                             "  lead\r\n"
                             "beta /* block */\r\n"
                             "#define WITH_SUB\r\n"
                             "#ifdef WITH_SUB\r\n"
                             "sub/gamma\r\n"
                             "#else\r\n"
                             "delta\r\n"
                             "#endif\r\n"
                             "#ifdef NOT_DEFINED\r\n"
                             "epsilon\r\n"
                             "#endif\r\n"
                             "missing/zeta\r\n"
                             "last";
    const Lines events = Run(list, false);
    const std::string failedZeta = "failed missing/zeta from " + source_;
    EXPECT_EQ(events, (Lines{"begin 6", "step alpha", "step   lead", "step beta", "step sub/gamma",
                             failedZeta, "step missing/zeta", "step last"}));
    EXPECT_EQ(failures_, 1);
    for (const char* name : {"alpha", "  lead", "beta", "sub/gamma", "last"})
        EXPECT_EQ(out_.Read(name), "template body\n") << name;
    for (const char* name : {"delta", "epsilon", "missing"})
        EXPECT_FALSE(fs::exists(out_.File(name))) << name;
}

TEST_F(CopyByList, KeepExtensionWithAndWithoutSourceExtension) {
    EXPECT_EQ(Run("a\nb", true), (Lines{"begin 2", "step a.txt", "step b.txt"}));
    EXPECT_EQ(out_.Read("a.txt"), "template body\n");

    source_ = templates_.Write("Makefile", "all:\n");
    EXPECT_EQ(Run("c", true), (Lines{"begin 1", "step c"}));
    EXPECT_EQ(out_.Read("c"), "all:\n");
}

TEST_F(CopyByList, SecondRunOverwritesWithoutAsking) {
    out_.Write("a", "an older and much longer text that must not survive in part");
    Run("a\nb", false);
    templates_.Write("form.txt", "v2");
    EXPECT_EQ(Run("a\nb", false), (Lines{"begin 2", "step a", "step b"}));
    EXPECT_EQ(out_.Read("a"), "v2");
    EXPECT_EQ(out_.Read("b"), "v2");
}

TEST_F(CopyByList, NoUsableListMakesNoCopy) {
    CopyByListRequest request{source_, out_.Path(), templates_.File("absent.txt"), false};
    Recorder recorder;
    EXPECT_EQ(tamble::RunCopyByList(request, recorder.Events(out_.Path())), 0);
    EXPECT_EQ(recorder.events, (Lines{"begin 0"}));
    EXPECT_EQ(Run("// only a comment\n\n   \n", false), (Lines{"begin 0"}));
}

TEST_F(CopyByList, ListNamingTheSourceLeavesItWhole) {
    CopyByListRequest request{source_, templates_.Path(), templates_.Write("l.txt", "form"), true};
    Recorder recorder;
    EXPECT_EQ(tamble::RunCopyByList(request, recorder.Events(templates_.Path())), 1);
    EXPECT_EQ(recorder.events,
              (Lines{"begin 1", "failed form.txt from " + source_, "step form.txt"}));
    EXPECT_EQ(templates_.Read("form.txt"), "template body\n");
}

} // namespace
