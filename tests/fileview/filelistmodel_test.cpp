#include "fileview/extensionicons.h"
#include "fileview/filelistmodel.h"
#include "tests/common/tempfolder.h"
#include "widgets/formcontrols.h"

#include <QApplication>
#include <QPixmap>
#include <QTreeView>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 400;

// Every file an extension of its own, so that every row needs a look-up.
TEST(FileListModel, ExtensionIconsAreLookedUpOnlyForTheRowsShown) {
    TempFolder folder;
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%03d.e%03d", i, i);
        folder.Write(name, "");
    }
    std::vector<QString> asked;
    QPixmap image(16, 16);
    image.fill(Qt::red);
    tamble::ExtensionIcons icons([&](const QString& path) {
        asked.push_back(path);
        return QIcon(image);
    });
    tamble::FileListing listing;
    std::vector<std::string> cache;
    const tamble::IconLookups lookups = listing.List(folder.Path(), "*.*", "", cache, "");
    ASSERT_EQ(lookups.newEntries.size(), static_cast<size_t>(kFiles));
    for (const std::string& name : lookups.newEntries)
        icons.Add(QString::fromStdString(folder.File(name)));

    tamble::FileListModel model;
    model.Show(std::move(listing), icons, {});
    QTreeView view;
    tamble::MakeReportList(view);
    view.setModel(&model);
    view.resize(200, 200);
    view.show();
    QApplication::processEvents();
    EXPECT_GT(asked.size(), 0u);
    EXPECT_LT(asked.size(), 40u) << "looked up rows far off screen";

    // A row scrolled to is looked up once, by its own file.
    const QModelIndex last = model.index(kFiles - 1, 0);
    const size_t before = asked.size();
    EXPECT_FALSE(last.data(Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(last.data(Qt::DecorationRole).value<QIcon>().isNull());
    ASSERT_EQ(asked.size(), before + 1);
    EXPECT_TRUE(asked.back().endsWith(QStringLiteral("f399.e399"))) << asked.back().toStdString();
    EXPECT_EQ(std::set<QString>(asked.begin(), asked.end()).size(), asked.size());
}

} // namespace
