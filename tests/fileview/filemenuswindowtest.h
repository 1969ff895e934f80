// The file view's window tests with the folder tree's and the file list's
// context menus in place, their trash in a temporary folder.
#pragma once

#include "filecontextmenus.h"
#include "fileviewwindowtest.h"

#include <memory>

class FileMenusWindowTest : public FileViewWindowTest {
protected:
    // A main window whose file page and context menus use the test drive.
    std::unique_ptr<tamble::TfrmTamble> CreateWindowWithMenus() {
        tamble::ShellHooks hooks;
        hooks.BuildFolderTree = [this] {
            tamble::FileViewOf(*tamble::frmTamble, TestDrive()).BuildFolderTree();
            tamble::FileMenuServices services;
            services.owner.homeTrash = settings_.File("trash");
            tamble::FileContextMenusOf(*tamble::frmTamble, services);
        };
        return CreateWindow(std::move(hooks));
    }
};
