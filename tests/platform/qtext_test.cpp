// The forms' edge: a name shown in a widget reads back as the same bytes.
#include "widgets/qtext.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::FromCp932;
using platform::ToCp932;
using platform::Utf8ToCp932;

TEST(QtText, EveryNameComesBackThroughAQString) {
    // Every character, in runs, and every single byte (bad UTF-8 among them).
    std::u32string run;
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) continue;
        run += c;
        if (run.size() > 1 << 14 || c == 0x10FFFF) {
            const std::string cp932 = Utf8ToCp932(
                QString::fromUcs4(run.data(), static_cast<qsizetype>(run.size())).toStdString());
            ASSERT_EQ(ToCp932(FromCp932(cp932)), cp932)
                << "near U+" << std::hex << static_cast<unsigned>(c);
            run.clear();
        }
    }
    for (int byte = 1; byte <= 0xFF; ++byte) {
        const std::string cp932 = Utf8ToCp932("a" + std::string(1, static_cast<char>(byte)) + "b");
        EXPECT_EQ(ToCp932(FromCp932(cp932)), cp932) << byte;
    }
}

TEST(QtText, BadUtf8StaysApartFromTheReplacementCharacter) {
    const std::string bad = Utf8ToCp932("a\xFF.txt");
    const std::string replaced = Utf8ToCp932("a\xEF\xBF\xBD.txt");
    EXPECT_NE(FromCp932(bad), FromCp932(replaced));
    EXPECT_EQ(ToCp932(FromCp932(bad)), bad);
    EXPECT_EQ(ToCp932(FromCp932(replaced)), replaced);
    EXPECT_EQ(FromCp932(bad), QStringLiteral("a") + QChar(0xDCFF) + QStringLiteral(".txt"));
    // A lone surrogate that stands for no byte is written as U+FFFD.
    EXPECT_EQ(ToCp932(QString(QChar(0xD800))), replaced.substr(1, 6));
}

} // namespace

TEST(QtText, QuestionsShowNamesThatWouldShowNothingOrMislead) {
    const struct {
        const char* name;
        QString text;
        QString shown;
    } rows[] = {
        {"tag character alone", QString::fromUtf8("/d/\U000E0041"), QStringLiteral("/d/<U+E0041>")},
        {"direction override", QString::fromUtf8("a\u202Etxt.exe"),
         QStringLiteral("a<U+202E>txt.exe")},
        {"zero-width joiner", QString::fromUtf8("a\u200Db"), QStringLiteral("a<U+200D>b")},
        {"control character",
         QStringLiteral("a\x01"
                        "b"),
         QStringLiteral("a<U+0001>b")},
        {"line break and tab stay", QStringLiteral("a\n\tb"), QStringLiteral("a\n\tb")},
        {"look-alikes and Japanese stay", QString::fromUtf8("¬￢¥—表😀"),
         QString::fromUtf8("¬￢¥—表😀")},
    };
    for (const auto& row : rows)
        EXPECT_EQ(platform::VisibleText(row.text), row.shown) << row.name;
}
