// LauncherPage: the "ItemView" page. It builds and owns the list control
// ListViewItem1, keeps the data list ListViewItem2 row for row in step with
// it, owns the context menu PopupMenu3, reads and writes item.lst and
// starts the items.
#pragma once

#include "launcher/launcheritems.h"
#include "platform/userprompts.h"
#include "widgets/fileicons.h"

#include <QIcon>
#include <QList>
#include <QPoint>
#include <QWidget>

#include <string>
#include <vector>

class QAction;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace tamble {

// Values of ItemEditMode.
inline constexpr int kItemDialogAdd = 0;
inline constexpr int kItemDialogChange = 1;

class LauncherPage : public QWidget {
    Q_OBJECT

public:
    // Builds the page ("TabSheet1") and its list; itemFilePath: item.lst
    // (code page 932). prompts outlives the page.
    LauncherPage(platform::UserPrompts& prompts, std::string itemFilePath,
                 QWidget* parent = nullptr);

    // --- The data list and the icons
    LauncherItemList ListViewItem2;
    // One image per item ever added; never shrinks, so after deletions a
    // row's image index need not equal its row number.
    QList<QIcon> ImageListItem;

    // --- What the item dialog reads and writes
    int ItemEditMode = kItemDialogAdd;
    std::string PendingItemName;
    std::string PendingItemFileName;
    std::string PendingItemPara;

    // --- Context menu
    QMenu* PopupMenu3 = nullptr;
    QAction* popItemReg = nullptr;
    QAction* popConfig = nullptr;
    QAction* popDel = nullptr;

    // Appends an item to both lists, with the icon of fileName.
    void AddLauncherItem(const std::string& name, const std::string& fileName,
                         const std::string& parameters);
    // Replaces the item at row in both lists; the icon stays the one of the
    // old file until the list is read again. A row out of range is ignored.
    void ChangeLauncherItem(int row, const LauncherItem& item);
    // Replaces both lists by the items of item.lst. A file that is there
    // but cannot be read leaves both empty, is named in an error box once
    // the event loop runs, and is never written over by this page.
    void LoadLauncherItems();
    // Writes ListViewItem2 to item.lst; on failure the error box names the
    // file and the old file stays as it was. Writes nothing after a failed
    // LoadLauncherItems, whose empty list would wipe the file's items.
    void SaveLauncherItems();
    // Files dropped on the page (CP932 full paths) at the point at, in the
    // page's coordinates: the row there gets the first one, empty space
    // offers it as a new item.
    void DropOnLauncher(const std::vector<std::string>& files, const QPoint& at);
    // Shows the item dialog modally in mode (kItemDialogAdd or kItemDialogChange).
    void ShowItemDialog(int mode);
    // Row of the selected item, or -1.
    [[nodiscard]] int SelectedRow() const;
    [[nodiscard]] platform::UserPrompts& Prompts() const { return prompts_; }
    // message (CP932) in the program's error box.
    void ShowError(const std::string& message);

public slots:
    void ListViewItem1DblClick();
    void ListViewItem1KeyDown(int key);
    void ListViewItem1MouseMove(int x, int y);
    void ListViewItem1Change(QTreeWidgetItem* item);
    void popItemRegClick();
    void popConfigClick();
    void popDelClick();
    void PopupMenu3Popup();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void LaunchRow(int row);
    void DeleteSelectedItem();
    void ShowPopupMenu(const QPoint& position);

    QTreeWidget* ListViewItem1;
    QWidget* viewport_; // compared only: events may arrive while the list is being destroyed
    QPoint lastMouse_;  // in the list's viewport, where a drop lands
    platform::UserPrompts& prompts_;
    std::string itemFilePath_;
    bool keepItemFile_ = false; // item.lst failed to read: it is not written
    platform::FileIcons icons_;
};

} // namespace tamble
