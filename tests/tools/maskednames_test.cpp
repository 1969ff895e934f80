// The delete-by-mask search over names that the system's code-page
// converter once turned into nothing or into one another: a file named one
// tag character was found as its folder (and the whole start folder went),
// a folder so named was entered again and again until the stack ran out.
#include "platform/codepage.h"
#include "platform/paths.h"
#include "tests/common/tempfolder.h"
#include "tools/maskedfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;
using platform::Cp932ToUtf8;
using platform::Utf8ToCp932;
using Names = std::vector<std::string>;

const char kSeparator = platform::Separator(platform::NativePathStyle());

// A path from UTF-8 text on every system (a plain string is the ANSI code
// page on Windows).
fs::path Utf8Path(const std::string& text) {
    return fs::path(std::u8string(text.begin(), text.end()));
}

const std::string kTagFile = "\xF3\xA0\x81\x81";   // U+E0041
const std::string kTagFolder = "\xF3\xA0\x80\xA0"; // U+E0020

class MaskedNames : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& folder : {kTagFolder, std::string("¬"), std::string("￢")})
            fs::create_directory(Utf8Path(tree_.Path()) / Utf8Path(folder));
        for (const std::string& name :
             {kTagFile, std::string("¬.txt"), std::string("￢.txt"), std::string("keep.c"),
              kTagFolder + "/" + kTagFile, kTagFolder + "/inner.c", std::string("¬/y.c"),
              std::string("￢/x.c")})
            std::ofstream(Utf8Path(tree_.Path()) / Utf8Path(name), std::ios::binary) << name;
    }

    // The found files relative to the tree (UTF-8), sorted; each must be
    // a file of the tree, never a folder.
    Names Collect(const std::string& masks, const tamble::MaskedFileOptions& options) const {
        std::vector<std::string> found;
        tamble::CollectMaskedFiles(Utf8ToCp932(tree_.Path()), masks, options, found);
        Names relative;
        for (const std::string& path : found) {
            const std::string native = Cp932ToUtf8(path);
            EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(Utf8Path(native)))) << native;
            EXPECT_EQ(native.rfind(tree_.Path() + kSeparator, 0), 0U) << native;
            std::string name = native.substr(std::min(native.size(), tree_.Path().size() + 1));
            std::replace(name.begin(), name.end(), kSeparator, '/');
            relative.push_back(name);
        }
        std::sort(relative.begin(), relative.end());
        return relative;
    }

    TempFolder tree_;
};

tamble::MaskedFileOptions Options(bool sub, const std::string& folders = "") {
    tamble::MaskedFileOptions options;
    options.findSubFolders = sub;
    options.outOfFolderPattern = !folders.empty();
    options.folderPattern = folders;
    return options;
}

TEST_F(MaskedNames, EveryFileIsFoundAsItselfOnce) {
    Names top{kTagFile, "keep.c", "¬.txt", "￢.txt"};
    std::sort(top.begin(), top.end());
    EXPECT_EQ(Collect("*", Options(false)), top);

    Names all = top;
    for (const std::string& name : {kTagFolder + "/" + kTagFile, kTagFolder + "/inner.c",
                                    std::string("¬/y.c"), std::string("￢/x.c")})
        all.push_back(name);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(Collect("*", Options(true)), all);
}

TEST_F(MaskedNames, MasksAndExclusionsTellLookAlikesApart) {
    EXPECT_EQ(Collect(Utf8ToCp932("¬.txt"), Options(false)), Names{"¬.txt"});
    EXPECT_EQ(Collect(Utf8ToCp932(kTagFile), Options(true)),
              (Names{kTagFolder + "/" + kTagFile, kTagFile}));
    // Sparing the tag-character folder spares only its files; sparing "¬" keeps "￢".
    EXPECT_EQ(Collect("*.c", Options(true, Utf8ToCp932(kTagFolder + ";¬"))),
              (Names{"keep.c", "￢/x.c"}));
}

} // namespace
