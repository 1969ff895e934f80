// The file view's window tests with the folder tree's and the file list's
// context menus in place, their trash in a temporary folder.
#pragma once

#include "fileview/filecontextmenus.h"
#include "tests/fileview/fileviewwindowtest.h"

#include <memory>

class FileMenusWindowTest : public FileViewWindowTest {
protected:
    // A main window whose file page and context menus use the test drive.
    std::unique_ptr<tamble::TfrmTamble> CreateWindowWithMenus() {
        tamble::FileViewServices services = TestDrive();
        services.owner.homeTrash = settings_.File("trash");
        return CreateWindow(std::move(services));
    }
};
