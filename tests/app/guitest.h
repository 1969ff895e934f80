// Shared set-up of the window tests: a main window whose settings live in
// a temporary folder, whose questions are scripted and whose plug-in steps
// record the order they ran in.
#pragma once

#include "scriptedprompts.h"
#include "tempfolder.h"
#include "tfrmtamble.h"

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
        environment.hooks.LoadLauncherItems = [this] { steps_.push_back("LoadLauncherItems"); };
        environment.hooks.BuildFolderTree = [this] { steps_.push_back("BuildFolderTree"); };
        environment.hooks.SaveLauncherItems = [this] {
            steps_.push_back(
                "SaveLauncherItems, settings " +
                std::string(folder_.Read("tamble.ini").empty() ? "missing" : "written"));
        };
        environment.hooks.ClearIconCache = [this] { steps_.push_back("ClearIconCache"); };
        environment.hooks.ShowFolder = [this](const std::string& folder) {
            steps_.push_back("ShowFolder " + folder);
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
