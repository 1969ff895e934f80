// Conditional directives run while a CCLStringList loads, and their #if
// expressions.
#include "tests/common/tempfolder.h"
#include "textlib/cclstringlist.h"
#include "textlib/directiveexpr.h"
#include "textlib/textlimits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// The copy-files tool's flags (directive and skipped lines deleted), and the
// same without CCLSL_REMOVE_BLANK (they are emptied, the line count stays).
constexpr uint32_t kDeleting = 0x5D800000;
constexpr uint32_t kKeeping = kDeleting & ~CCLSL_REMOVE_BLANK;

// The lines of list joined by "|", so that emptied lines stay visible.
std::string Joined(const CCLStringList& list) {
    std::string out;
    for (int32_t i = 0; i < list.Count(); ++i) {
        if (i > 0) out += '|';
        if (list.Text(i)) out += list.Text(i);
    }
    return out;
}

std::string Load(const std::string& text, uint32_t flags) {
    CCLStringList list;
    list.LoadFromText(text.c_str(), flags);
    return Joined(list);
}

// Runs body with standard output captured and returns what it printed.
template <typename Body> std::string Printed(Body body) {
    testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

TEST(DirectiveLines, RegionsDefinesAndLineCounts) {
    struct Row {
        const char* name;
        const char* text;
        const char* deleted; // with kDeleting
        const char* kept;    // with kKeeping
    };
    const Row rows[] = {
        {"define is substituted", "#define DEST backup\ncopy_DEST.txt", "copy_backup.txt",
         "|copy_backup.txt"},
        {"ifdef of an undefined name", "#ifdef DEBUG\na\n#else\nb\n#endif", "b", "|||b|"},
        {"ifdef of a defined name", "#define DEBUG\n#ifdef DEBUG\na\n#else\nb\n#endif", "a",
         "||a|||"},
        {"if !defined", "#if !defined(DEBUG)\nx\n#endif", "x", "|x|"},
        {"if!defined without blank", "#if!defined(DEBUG)\nx\n#endif", "x", "|x|"},
        {"if defined", "#define D\n#if defined(D)\nx\n#endif", "x", "||x|"},
        {"ifndef", "#define D\n#ifndef D\nx\n#endif\ny", "y", "||||y"},
        {"inner if of an inactive region", "#if 0\n#if 1\na\n#endif\n#endif", "", "||||"},
        {"else of an inactive region", "#if 0\n#if 1\n#else\na\n#endif\n#endif", "", "|||||"},
        {"first true branch only", "#if 1\na\n#elif 1\nb\n#elif 1\nc\n#endif", "a", "|a|||||"},
        {"elif then else", "#if 0\na\n#elif 2>1\nb\n#else\nc\n#endif", "b", "|||b|||"},
        {"no name or expression", "#ifdef\na\n#endif\n#if\nb\n#else\nc\n#endif", "c", "||||||c|"},
        {"stray closers", "#endif\n#else\n#elif 1\na", "a", "|||a"},
        {"undef", "#define X 1\n#undef X\n#ifdef X\na\n#endif\nX", "X", "|||||X"},
        {"define in an inactive region", "#if 0\n#define X y\n#endif\nX", "X", "|||X"},
        {"value is the words joined", "#define V a b c\nV", "abc", "|abc"},
        {"substring, definition order", "#define A B\n#define B C\nAB", "CC", "||CC"},
        {"names are not looked up in #if", "#define ONE 1\n#if ONE\na\n#endif", "", "|||"},
        {"other # lines are text", "#pragma x\n#if 0\n#pragma y\n#endif", "#pragma x",
         "#pragma x|||"},
        {"defined is text outside #if", "#define M undefined(x)\nM", "undefined(x)",
         "|undefined(x)"},
        {"indented directive and text", "  #define X 1\n  X", "  1", "|  1"},
    };
    for (const Row& r : rows) {
        std::string deleted, kept;
        Printed([&] {
            deleted = Load(r.text, kDeleting);
            kept = Load(r.text, kKeeping);
        });
        EXPECT_EQ(deleted, r.deleted) << r.name;
        EXPECT_EQ(kept, r.kept) << r.name;
    }
}

TEST(DirectiveExpression, Table) {
    struct Row {
        const char* name;
        const char* text;
        int expected;
    };
    const Row rows[] = {
        {"empty", "", 0},
        {"number", "007", 1},
        {"number too long for an integer", "4294967296", 1},
        {"comparisons", "2>=1&&3==3", 1},
        {"unknown operator", "1=1", 0},
        {"a name", "DEBUG", 0},
        {"lone numbers are no comparison", "1&&1", 0},
        {"&& binds tighter than ||", "0==1&&1==1||2==2", 1},
        {"|| after a true comparison", "1<2||x", 1},
        {"huge numbers do not wrap", "4294967297>2", 1},
    };
    for (const Row& r : rows) {
        int result = -1;
        Printed([&] { result = EvaluateDirectiveExpression(r.text); });
        EXPECT_EQ(result, r.expected) << r.name;
    }
    EXPECT_EQ(Printed([] { EvaluateDirectiveExpression("2 >= 1"); }),
              "compare of [2 >= 1]\n[2 >= 1] ret = 1\n");
}

TEST(DirectiveDefines, DuplicateKeepsTheFirstAndOutlivesALoad) {
    // "X はすでに宣言されています!!" in code page 932.
    const std::string message =
        "X \x82\xCD\x82\xB7\x82\xC5\x82\xC9\x90\xE9\x8C\xBE\x82\xB3\x82\xEA\x82\xC4\x82\xA2"
        "\x82\xDC\x82\xB7!!\n";
    CCLStringList list;
    const std::string printed =
        Printed([&] { list.LoadFromText("#define X first\n#define X second\nX", kDeleting); });
    EXPECT_EQ(printed, message); // once, and nothing else
    EXPECT_EQ(Joined(list), "first");
    // A new load of the same list still knows X.
    list.LoadFromText("X", kDeleting);
    EXPECT_EQ(Joined(list), "first");
}

TEST(DirectiveConditions, NestingBeyondTheStack) {
    auto nested = [](int levels, const char* inner) {
        std::string text;
        for (int i = 0; i < levels; ++i)
            text += "#if 1\n";
        text += inner;
        for (int i = 0; i < levels; ++i)
            text += "\n#endif";
        return text + "\nafter";
    };
    std::string full, deeper, withElse;
    const std::string printed = Printed([&] {
        full = Load(nested(textlib::kConditionDepth, "a"), kDeleting);
        deeper = Load(nested(textlib::kConditionDepth + 9, "a"), kDeleting);
        withElse = Load(nested(textlib::kConditionDepth + 1, "#else\nb"), kDeleting);
    });
    EXPECT_EQ(full, "a|after");
    EXPECT_EQ(deeper, "after"); // the excess levels are inactive, #endif pairing holds
    EXPECT_EQ(withElse, "after");
    EXPECT_NE(printed.find("conditional nested too deep"), std::string::npos);
}

TEST(DirectiveInclude, InsertsFilesAndMergesDefines) {
    TempFolder folder;
    const std::string child = folder.Write("child.txt", "#define C c\nchild_C\nuses_P\n");
    const std::string quoted = "\"" + child + "\"";
    folder.Write("tricky.txt", "#define H #define\nH Z 1\n");
    struct Row {
        const char* name;
        std::string text;
        uint32_t flags;
        const char* expected;
    };
    const Row rows[] = {
        {"lines inserted, defines merged", "#include " + quoted + "\nC", kDeleting,
         "child_c|uses_P|c"},
        {"including list substitutes", "#define P p\n#include " + child, kDeleting,
         "child_c|uses_p"},
        {"line count kept", "#include " + child + "\nend", kKeeping, "||child_c|uses_P||end"},
        {"inactive include", "#if 0\n#include " + child + "\n#endif", kDeleting, ""},
        {"missing file", "#include " + folder.File("none.txt") + "\nend", kDeleting, "end"},
        {"included lines are text", "#include " + folder.File("tricky.txt") + "\nZ", kDeleting,
         "#define Z 1|Z"},
    };
    for (const Row& r : rows) {
        std::string lines;
        Printed([&] { lines = Load(r.text, r.flags); });
        EXPECT_EQ(lines, r.expected) << r.name;
    }
    // The included file's define meets the including list's own.
    const std::string printed =
        Printed([&] { Load("#define C mine\n#include " + child, kDeleting); });
    EXPECT_NE(printed.find("C \x82\xCD"), std::string::npos);
}

TEST(DirectiveInclude, CyclesAndDeepChainsEnd) {
    TempFolder folder;
    const std::string self = folder.File("self.txt");
    folder.Write("self.txt", "#include " + self + "\n#include " + self + "\nline");
    const std::string a = folder.File("a.txt"), b = folder.File("b.txt");
    folder.Write("a.txt", "#include " + b + "\nA");
    folder.Write("b.txt", "#include " + a + "\nB");
    // f1 includes f2 ... up to f30, each adding its own line.
    for (int k = 1; k <= 30; ++k) {
        std::string text = "#include ";
        text += folder.File("f" + std::to_string(k + 1) + ".txt");
        text += "\nL";
        text += std::to_string(k);
        folder.Write("f" + std::to_string(k) + ".txt", text);
    }

    CCLStringList list;
    int32_t selfCount = 0;
    std::string cycleLines;
    const std::string printed = Printed([&] {
        list.LoadFromFile(self.c_str(), kDeleting);
        selfCount = list.Count();
        cycleLines = Load("#include " + a, kDeleting);
        list.LoadFromText(("#include " + folder.File("f1.txt")).c_str(), kDeleting);
    });
    EXPECT_EQ(selfCount, 3); // its own line and one per include; theirs are refused
    EXPECT_EQ(cycleLines, "B|A");
    ASSERT_EQ(list.Count(), textlib::kIncludeDepth); // f1 .. f16, innermost first
    EXPECT_STREQ(list.Text(0), "L16");
    EXPECT_NE(printed.find("include loop"), std::string::npos);
    EXPECT_NE(printed.find("include nested too deep"), std::string::npos);
}

TEST(DirectiveLines, LongInactiveRegionIsDeletedInLinearTime) {
    std::string text = "keep\n#if 0\n";
    for (int i = 0; i < 100000; ++i)
        text += "x\n";
    text += "#endif\nlast";
    EXPECT_EQ(Load(text, kDeleting), "keep|last");
}

} // namespace
