// Shared set-up of the window tests: a main window whose settings live in
// a temporary folder, which is also the file page's one drive, whose
// questions are scripted and whose item page steps record the order they
// ran in.
#pragma once

#include "tests/common/scriptedprompts.h"
#include "tests/common/tempfolder.h"
#include "app/tfrmtamble.h"

#include <QApplication>
#include <QTimer>

#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class MainWindowTest : public ::testing::Test {
protected:
    std::string SettingsPath() const { return folder_.File("tamble.ini"); }

    std::unique_ptr<tamble::TfrmTamble> Create(bool trayAvailable = true) {
        tamble::ShellEnvironment environment;
        environment.settingsPath = SettingsPath();
        environment.dataFolder = folder_.Path();
        environment.prompts = &prompts_;
        environment.trayAvailable = trayAvailable;
        // The file page's one drive is the test's folder.
        environment.fileView.drives = [this] {
            return std::vector<platform::Drive>{{folder_.Path(), "test"}};
        };
        environment.hooks.LoadLauncherItems = [this] { steps_.push_back("LoadLauncherItems"); };
        environment.hooks.SaveLauncherItems = [this] {
            steps_.push_back(
                "SaveLauncherItems, settings " +
                std::string(folder_.Read("tamble.ini").empty() ? "missing" : "written"));
        };
        environment.hooks.DropOnLauncher = [this](const std::vector<std::string>& files) {
            steps_.push_back("DropOnLauncher " + files.at(0));
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
    std::vector<std::string> steps_;
};
