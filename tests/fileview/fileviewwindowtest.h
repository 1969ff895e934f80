// Shared set-up of the file view's window tests: a real main window whose
// only drive is a temporary folder, whose settings live in another one and
// whose questions are scripted, with look-ups on its folder tree and list.
#pragma once

#include "app/tfrmtamble.h"
#include "fileview/fileviewpage.h"
#include "tests/common/controlof.h"
#include "tests/common/swappingprompts.h"
#include "tests/common/tempfolder.h"
#include "tests/common/viewrows.h"

#include <QString>
#include <QTreeView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class FileViewWindowTest : public ::testing::Test {
protected:
    using Strings = std::vector<std::string>;

    // File view services whose only drive is disk_.
    tamble::FileViewServices TestDrive() const {
        tamble::FileViewServices services;
        services.drives = [this] { return std::vector<platform::Drive>{{disk_.Path(), "test"}}; };
        return services;
    }

    // A main window with its settings in settings_, no notification area and
    // the given file page services; page_ is its file page.
    std::unique_ptr<tamble::TfrmTamble> CreateWindow(tamble::FileViewServices services) {
        tamble::ShellEnvironment environment;
        environment.settingsPath = settings_.File("tamble.ini");
        environment.dataFolder = settings_.Path();
        environment.prompts = &prompts_;
        environment.trayAvailable = false;
        environment.fileView = std::move(services);
        auto window = std::make_unique<tamble::TfrmTamble>(std::move(environment));
        page_ = ControlOf<tamble::FileViewPage>(*window, "tabFileView");
        return window;
    }

    QTreeWidgetItem* Drive() const {
        return ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")->topLevelItem(0);
    }
    // The child node shown as name; null when there is none.
    static QTreeWidgetItem* Child(QTreeWidgetItem* parent, const char* name) {
        for (int i = 0; i < parent->childCount(); ++i)
            if (parent->child(i)->text(0) == QString::fromUtf8(name)) return parent->child(i);
        return nullptr;
    }
    static Strings Texts(const QTreeWidgetItem* parent) {
        Strings texts;
        for (int i = 0; i < parent->childCount(); ++i)
            texts.push_back(parent->child(i)->text(0).toStdString());
        return texts;
    }
    QTreeWidgetItem* Selected() const {
        const auto selected =
            ControlOf<QTreeWidget>(*window_, "TreeViewDirectory")->selectedItems();
        return selected.isEmpty() ? nullptr : selected.first();
    }
    Strings Rows() const { return ViewTexts(*ControlOf<QTreeView>(*window_, "ListViewFile")); }
    void GoTo(const std::string& relative) { page_->NavigateToPath(disk_.File(relative)); }
    // Selects exactly the list rows at the given positions.
    void SelectRows(std::initializer_list<int> rows) {
        SelectViewRows(*ControlOf<QTreeView>(*window_, "ListViewFile"), rows);
    }

    TempFolder disk_;
    TempFolder settings_;
    SwappingPrompts prompts_; // lets a test change the tree during a question
    std::unique_ptr<tamble::TfrmTamble> window_;
    tamble::FileViewPage* page_ = nullptr;
};
