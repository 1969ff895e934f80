#include "launcher/launcheritems.h"

#include "tests/common/savechecks.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using tamble::LauncherItem;
using tamble::LauncherItemList;

// "ファイル" in code page 932, to see double-byte text go through untouched.
const std::string kJapanese = "\x83\x74\x83\x40\x83\x43\x83\x8B";

TEST(ItemFile, WritesTheProfileLayoutAndReadsItBackByteForByte) {
    TempFolder folder;
    const LauncherItemList items = {
        {"Editor", "/usr/bin/gedit", ""},
        {kJapanese, "/opt/" + kJapanese + "/tool", "-a \"b c\" =x"},
        {"", "", ""},
    };
    const std::string path = folder.File("item.lst");
    ASSERT_TRUE(tamble::SaveItemFile(path.c_str(), items));
    const std::string expected =
        "[List]\r\nItemNum=3\r\n"
        "ItemName0=Editor\r\nItemFileName0=/usr/bin/gedit\r\nItemPara0=\r\n"
        "ItemName1=" +
        kJapanese + "\r\nItemFileName1=/opt/" + kJapanese +
        "/tool\r\nItemPara1=-a \"b c\" =x\r\n"
        "ItemName2=\r\nItemFileName2=\r\nItemPara2=\r\n";
    EXPECT_EQ(folder.Read("item.lst"), expected);
    EXPECT_EQ(tamble::LoadItemFile(path.c_str()), items);

    // Loading and saving again changes no byte.
    ASSERT_TRUE(tamble::SaveItemFile(path.c_str(), tamble::LoadItemFile(path.c_str())));
    EXPECT_EQ(folder.Read("item.lst"), expected);
}

TEST(ItemFile, ShrunkListLeavesNoKeysOfRemovedItems) {
    TempFolder folder;
    const std::string path = folder.File("item.lst");
    LauncherItemList items;
    for (int i = 0; i < 5; ++i)
        items.push_back({"n" + std::to_string(i), "f", "p"});
    ASSERT_TRUE(tamble::SaveItemFile(path.c_str(), items));
    items.resize(2);
    ASSERT_TRUE(tamble::SaveItemFile(path.c_str(), items));
    const std::string text = folder.Read("item.lst");
    EXPECT_NE(text.find("ItemNum=2\r\n"), std::string::npos);
    EXPECT_EQ(text.find("ItemName2"), std::string::npos);
    EXPECT_EQ(text.find("ItemPara4"), std::string::npos);
    EXPECT_EQ(tamble::LoadItemFile(path.c_str()), items);
}

#ifndef _WIN32 // needs a file size limit
TEST(ItemFile, FailedSaveKeepsTheOldFile) {
    TempFolder folder;
    const std::string path = folder.File("item.lst");
    ASSERT_TRUE(tamble::SaveItemFile(path.c_str(), {{"old", "f", ""}}));
    const std::string before = folder.Read("item.lst");
    {
        // A write that fails halfway, even for root.
        FileSizeLimit limit(4);
        EXPECT_FALSE(tamble::SaveItemFile(path.c_str(), {}));
    }
    EXPECT_EQ(folder.Read("item.lst"), before);
    EXPECT_EQ(FolderNames(folder.Path()), std::vector<std::string>{"item.lst"});
}
#endif

TEST(ItemFile, TextFaults) {
    using tamble::ItemTextFault;
    const struct {
        const char* name;
        std::string text;
        ItemTextFault fault;
    } cases[] = {
        {"empty", "", ItemTextFault::None},
        {"blanks, tabs, quotes, = and [", " \t\"a\"=[b]\t ", ItemTextFault::None},
        {"longest", std::string(tamble::kItemValueMax, 'x'), ItemTextFault::None},
        {"one byte too long", std::string(tamble::kItemValueMax + 1, 'x'), ItemTextFault::TooLong},
        {"LF", "a\nb", ItemTextFault::LineBreak},
        {"CR", "a\rb", ItemTextFault::LineBreak},
        {"NUL", std::string("a\0b", 3), ItemTextFault::LineBreak},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tamble::FindItemTextFault(c.text), c.fault) << c.name;
}

// Every text without a fault comes back from the file exactly.
TEST(ItemFile, TextsWithoutAFaultRoundTrip) {
    const LauncherItemList items = {
        {"\ttab first", "/bin/a\tb", "tab last\t"},
        {"  blanks  ", " /bin/x ", "  "},
        {"\"quoted\"", "C:\\Program Files\\x.exe", "\"a b\" \"c\""},
        {"a=b", "[List]", "ItemNum=5"},
        {"\x95\x5C", std::string(tamble::kItemValueMax, 'f'), ""},
    };
    TempFolder folder;
    const std::string path = folder.File("item.lst");
    ASSERT_TRUE(tamble::SaveItemFile(path.c_str(), items));
    EXPECT_EQ(tamble::LoadItemFile(path.c_str()), items);
}

TEST(ItemFile, ReadsWhatOtherWritersLeave) {
    const struct {
        const char* name;
        std::string text;
        LauncherItemList items;
    } cases[] = {
        {"missing count", "[List]\nItemName0=a\n", {}},
        {"count larger than the items",
         "[List]\nItemNum=2\nItemName0=a\nItemFileName0=f\n",
         {{"a", "f", ""}, {"", "", ""}}},
        {"hexadecimal count", "[List]\nItemNum=0x2\n", {{}, {}}},
        {"upper-case hexadecimal", "[List]\nItemNum=0X0A\n", LauncherItemList(10)},
        {"negative count", "[List]\nItemNum=-3\n", {}},
        {"unreadable count", "[List]\nItemNum=many\n", {}},
        {"absurd count is held", "[List]\nItemNum=0x7fffffff\n",
         LauncherItemList(tamble::kItemCountLimit)},
        {"other section ignored", "[Other]\nItemNum=1\nItemName0=x\n[List]\nItemNum=1\n", {{}}},
        {"case and blanks of names; values as they stand",
         "[ list ]\r\n itemnum = 1 \r\nITEMNAME0 =name\r\nItemFileName0='f'\r\n"
         "ItemPara0=\"a b\" \"c\"\r\n",
         {{"name", "'f'", "\"a b\" \"c\""}}},
        {"first of equal keys",
         "[List]\nItemNum=1\nItemName0=first\nItemName0=second\n",
         {{"first", "", ""}}},
        {"value holds an equals sign", "[List]\nItemNum=1\nItemPara0=a=b\n", {{"", "", "a=b"}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(tamble::ParseItemFile(c.text), c.items) << c.name;
    }
}

TEST(ItemFile, LongValuesAreCutWithoutSplittingACharacter) {
    const std::string ascii(3000, 'a');
    // 2046 ASCII bytes and then a double-byte character straddling the limit.
    const std::string straddling = std::string(2046, 'b') + kJapanese;
    const LauncherItemList items = tamble::ParseItemFile("[List]\nItemNum=1\nItemName0=" + ascii +
                                                         "\nItemFileName0=" + straddling + "\n");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].name, std::string(tamble::kItemValueMax, 'a'));
    EXPECT_EQ(items[0].fileName, std::string(2046, 'b'));
}

TEST(ItemFile, LineBreaksInValuesCannotForgeKeys) {
    const LauncherItemList written = {{"a\nItemNum=99", "f\r\n", ""}};
    const LauncherItemList read = tamble::ParseItemFile(tamble::FormatItemFile(written));
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].name, "a ItemNum=99");
}

TEST(ItemFile, MissingFileIsAnEmptyList) {
    TempFolder folder;
    EXPECT_TRUE(tamble::LoadItemFile(folder.File("none.lst").c_str()).empty());
}

// Only a file that is surely absent may be replaced by an empty list.
TEST(ItemFile, ReadingSaysWhetherTheListMayBeWrittenBack) {
    using Source = tamble::ItemFileContents::Source;
    TempFolder folder;
    folder.Write("good.lst", "[List]\r\nItemNum=1\r\nItemName0=a\r\n");
    folder.Write("empty.lst", "");
    std::filesystem::create_directory(folder.File("folder.lst")); // there, and no file to read
    const struct {
        const char* name;
        Source source;
        size_t items;
    } cases[] = {{"good.lst", Source::File, 1},
                 {"empty.lst", Source::File, 0},
                 {"none.lst", Source::Missing, 0},
                 {"folder.lst", Source::Failed, 0}};
    for (const auto& c : cases) {
        const tamble::ItemFileContents read = tamble::ReadItemFile(folder.File(c.name).c_str());
        EXPECT_EQ(read.source, c.source) << c.name;
        EXPECT_EQ(read.items.size(), c.items) << c.name;
    }
    EXPECT_EQ(tamble::ReadItemFile(nullptr).source, Source::Failed);
}

TEST(ProfileInt, ReadsLikeTheProfileReader) {
    const struct {
        const char* text;
        int32_t value;
    } cases[] = {{"12", 12},   {"0x1A", 26}, {"0x", 0},        {"7 items", 7}, {"", 0},
                 {"abc", 0},   {" 42", 42},  {"+5", 5},        {"-5", -5},     {"0xfFz", 255},
                 {"1,234", 1}, {"ff", 0},    {"4294967297", 1}};
    for (const auto& c : cases)
        EXPECT_EQ(tamble::ReadProfileInt(c.text), c.value) << c.text;
}

TEST(ItemDialogRule, OkNeedsNameAndFileName) {
    EXPECT_TRUE(tamble::ItemDialogCanAccept("a", "b"));
    EXPECT_TRUE(tamble::ItemDialogCanAccept(" ", " "));
    EXPECT_FALSE(tamble::ItemDialogCanAccept("", "b"));
    EXPECT_FALSE(tamble::ItemDialogCanAccept("a", ""));
}

} // namespace
