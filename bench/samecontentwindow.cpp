// The reference of the start-up benchmark: the least a Qt Widgets program
// does to show what the program's first frame shows, in a window of the
// main window's size: a list with its header in Japanese and the rows of
// the folder it is given, each with its size and its icon from the icon
// source the program uses. It reports its first paint the way the program
// does.
//
//   same_content_window FOLDER
#include "bench/instrument/paintreport.h"
#include "widgets/fileicons.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace {

// The size the start-up benchmark gives the main window.
constexpr int kWidth = 273;
constexpr int kHeight = 537;

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    QWidget window;
    window.resize(kWidth, kHeight);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* list = new QTreeWidget(&window);
    list->setRootIsDecorated(false);
    list->setHeaderLabels({QStringLiteral("ファイル名"), QStringLiteral("サイズ")});
    layout->addWidget(list);

    platform::FileIcons icons;
    QList<QTreeWidgetItem*> rows;
    for (const QFileInfo& file :
         QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase)) {
        auto* row = new QTreeWidgetItem({file.fileName(), QString::number(file.size())});
        row->setIcon(0, icons.ForFile(file.filePath()));
        rows.append(row);
    }
    list->addTopLevelItems(rows);

    window.show();
    platform::ReportFirstPaint(window);
    return application.exec();
}
