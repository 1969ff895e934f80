// Shared set-up of the window tests: a main window whose settings and
// item.lst live in a temporary folder, which is also the file page's one
// drive, and whose questions are scripted.
#pragma once

#include "app/tfrmtamble.h"
#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"

#include <QApplication>
#include <QTimer>

#include <QWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class MainWindowTest : public ::testing::Test {
protected:
    std::string SettingsPath() const { return folder_.File("tamble.ini"); }
    // Whether the settings file and item.lst are there.
    bool SettingsSaved() const { return std::filesystem::exists(SettingsPath()); }
    bool ItemsSaved() const { return std::filesystem::exists(folder_.File("item.lst")); }
    // Removes both, to see whether they are written again.
    void RemoveSaved() const {
        std::filesystem::remove(SettingsPath());
        std::filesystem::remove(folder_.File("item.lst"));
    }

    std::unique_ptr<tamble::TfrmTamble> Create(bool trayAvailable = true) {
        tamble::ShellEnvironment environment;
        environment.settingsPath = SettingsPath();
        environment.dataFolder = folder_.Path();
        environment.prompts = &prompts_;
        environment.trayAvailable = trayAvailable;
        environment.startFolder = startFolder_;
        // The file page's one drive is the test's folder.
        environment.fileView.drives = [this] {
            return std::vector<platform::Drive>{{folder_.Path(), "test"}};
        };
        return std::make_unique<tamble::TfrmTamble>(std::move(environment));
    }

    // Runs action once the modal window that the next call opens is up.
    static void WhenModal(std::function<void(QWidget*)> action) {
        QTimer::singleShot(0, [action] {
            QWidget* modal = QApplication::activeModalWidget();
            action(modal);
            // A failed check must not leave the test waiting on an open window.
            if (modal != nullptr && QApplication::activeModalWidget() == modal) modal->close();
        });
    }

    TempFolder folder_;
    platform::ScriptedPrompts prompts_;
    std::optional<std::string> startFolder_; // the command line's folder, if any
};
