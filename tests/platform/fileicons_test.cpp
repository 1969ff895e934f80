#include "widgets/fileicons.h"

#include "tests/common/tempfolder.h"

#include <QCoreApplication>
#include <QFileIconProvider>
#include <QMimeDatabase>

#include <gtest/gtest.h>

#include <string>

namespace {

using platform::FileIcons;

// The reference: every type's extensions read into one table, as the file
// list did before looking types up per extension. The last type naming an
// extension wins.
QHash<QString, QMimeType> EveryExtension() {
    QHash<QString, QMimeType> table;
    for (const QMimeType& type : QMimeDatabase().allMimeTypes()) {
        for (const QString& suffix : type.suffixes())
            table.insert(suffix.toLower(), type);
    }
    return table;
}

QImage Look(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

TEST(FileIcons, AFileTypeIsTheOneTheTableOfEveryExtensionGives) {
    const QHash<QString, QMimeType> table = EveryExtension();
    FileIcons icons;
    struct Row {
        const char* name;
        const char* extension; // looked up in the table
    };
    const Row rows[] = {
        {"notes.txt", "txt"}, {"photo.PNG", "png"}, {"paper.pdf", "pdf"}, {"/src/main.cpp", "cpp"},
        {"/src/main.h", "h"}, {"a.tar.gz", "gz"},   {"sheet.csv", "csv"}, {"run.sh", "sh"},
    };
    for (const Row& row : rows) {
        const QMimeType expected = table.value(QString::fromLatin1(row.extension));
        ASSERT_TRUE(expected.isValid()) << row.name;
        const QMimeType type = icons.TypeOf(QString::fromUtf8(row.name));
        EXPECT_EQ(type.name(), expected.name()) << row.name;
        EXPECT_EQ(type.iconName(), expected.iconName()) << row.name;
    }
}

TEST(FileIcons, AnExtensionTwoTypesClaimGetsTheTypeTheDatabasePrefers) {
    // The table let whichever type came last win: xhtml for ".html".
    FileIcons icons;
    EXPECT_EQ(icons.TypeOf(QStringLiteral("page.HTML")).name(), QStringLiteral("text/html"));
}

// On Windows a file's icon is the shell's, not the theme's of its type.
#ifndef _WIN32
TEST(FileIcons, NamesNoTypeClaimsGetThePlainFileIcon) {
    FileIcons icons;
    const QImage plain = Look(QFileIconProvider().icon(QFileIconProvider::File));
    for (const char* name : {"/data/table.zzqx", "/data/noextension", "/data/trailing."}) {
        EXPECT_FALSE(icons.TypeOf(QString::fromUtf8(name)).isValid()) << name;
        EXPECT_EQ(Look(icons.ForFile(QString::fromUtf8(name))), plain) << name;
    }
}
#endif

TEST(FileIcons, OnlyTheNameCountsNotTheContent) {
    TempFolder folder;
    FileIcons icons;
    const std::string png = folder.Write("looks.txt", "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(icons.TypeOf(QString::fromStdString(png)).name(), QStringLiteral("text/plain"));
    const std::string script = folder.Write("script", "#!/bin/sh\necho hi\n");
    EXPECT_FALSE(icons.TypeOf(QString::fromStdString(script)).isValid());
}

#ifdef _WIN32

// The shell's icons: a drive's, a folder's, and one per extension whatever
// the letter case, asked once. (Wine's shell draws an open folder as a
// closed one, so that difference shows only on Windows itself.)
TEST(FileIcons, OnWindowsTheIconsAreTheShells) {
    FileIcons icons;
    EXPECT_FALSE(icons.ForDrive(QStringLiteral("C:")).isNull());
    EXPECT_FALSE(Look(icons.ClosedFolder()).isNull());
    EXPECT_FALSE(Look(icons.OpenFolder()).isNull());
    const QIcon text = icons.ForFile(QStringLiteral("C:\\a\\one.txt"));
    EXPECT_FALSE(text.isNull());
    EXPECT_EQ(icons.ForFile(QStringLiteral("D:\\b\\TWO.TXT")).cacheKey(), text.cacheKey());
    EXPECT_NE(icons.ForFile(QStringLiteral("C:\\a\\run.exe")).cacheKey(), text.cacheKey());
    // A program's own icon is read from it; a file that is gone gets the
    // icon of its extension.
    EXPECT_FALSE(Look(icons.OwnIcon(QCoreApplication::applicationFilePath().replace(
                          QLatin1Char('/'), QLatin1Char('\\'))))
                     .isNull());
    EXPECT_EQ(icons.OwnIcon(QStringLiteral("C:\\gone\\gone.txt")).cacheKey(), text.cacheKey());
}

#else

TEST(FileIcons, AnExtensionIsLookedUpOnceNamesWithoutOneEveryTime) {
    QStringList asked;
    FileIcons icons([&asked](const QString& name) {
        asked.append(name);
        return QMimeDatabase().mimeTypeForName(QStringLiteral("text/plain"));
    });
    for (const char* name : {"/a/one.txt", "/b/two.TXT", "three.txt", "/a/one.txt"})
        (void)icons.ForFile(QString::fromUtf8(name));
    EXPECT_EQ(asked, QStringList{QStringLiteral("x.txt")});
    (void)icons.ForFile(QStringLiteral("/a/pic.png"));
    (void)icons.ForFile(QStringLiteral("/a/Makefile"));
    (void)icons.ForFile(QStringLiteral("/b/Makefile"));
    (void)icons.ForFile(QStringLiteral("/a/.profile"));
    EXPECT_EQ(asked, (QStringList{QStringLiteral("x.txt"), QStringLiteral("x.png"),
                                  QStringLiteral("Makefile"), QStringLiteral("Makefile"),
                                  QStringLiteral(".profile")}));
}

TEST(FileIcons, AnUnknownExtensionIsRememberedToo) {
    int asks = 0;
    FileIcons icons([&asks](const QString&) {
        ++asks;
        return QMimeType();
    });
    (void)icons.ForFile(QStringLiteral("a.zzqx"));
    (void)icons.ForFile(QStringLiteral("b.zzqx"));
    EXPECT_EQ(asks, 1);
}

#endif

} // namespace
