// UserPrompts with answers given in advance, for tests: every question is
// recorded, and answered from the queue of its kind. A question whose queue
// is empty is answered as if the user cancelled (No, nullopt, nothing).
#pragma once

#include "platform/userprompts.h"

#include <deque>
#include <string>
#include <vector>

namespace platform {

class ScriptedPrompts : public UserPrompts {
public:
    struct Question {
        std::string kind;  // "Message", "YesNo", "Input", "OpenFile", "OpenFiles", "SaveFile",
                           // "BrowseFolder"
        std::string title; // title, caption or file box title
        std::string text;  // message text, prompt, or initial folder
        PromptIcon icon = PromptIcon::None;
        FileBoxOptions fileBox; // for the file boxes
    };

    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<std::optional<std::string>> fileAnswers; // OpenFile and SaveFile
    std::deque<std::vector<std::string>> filesAnswers;  // OpenFiles
    std::deque<std::optional<std::string>> folderAnswers;
    std::vector<Question> asked;

    void Message(const std::string& text, const std::string& title, PromptIcon icon) override {
        asked.push_back({"Message", title, text, icon, {}});
    }
    bool YesNo(const std::string& text, const std::string& title, PromptIcon icon) override {
        asked.push_back({"YesNo", title, text, icon, {}});
        return Take(yesNoAnswers, false);
    }
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string&, int) override {
        asked.push_back({"Input", caption, prompt, PromptIcon::None, {}});
        return Take(inputAnswers, std::optional<std::string>{});
    }
    std::optional<std::string> OpenFile(const FileBoxOptions& options) override {
        asked.push_back(
            {"OpenFile", options.title, options.initialFolder, PromptIcon::None, options});
        return Take(fileAnswers, std::optional<std::string>{});
    }
    std::vector<std::string> OpenFiles(const FileBoxOptions& options) override {
        asked.push_back(
            {"OpenFiles", options.title, options.initialFolder, PromptIcon::None, options});
        return Take(filesAnswers, std::vector<std::string>{});
    }
    std::optional<std::string> SaveFile(const FileBoxOptions& options) override {
        asked.push_back(
            {"SaveFile", options.title, options.initialFolder, PromptIcon::None, options});
        return Take(fileAnswers, std::optional<std::string>{});
    }
    std::optional<std::string> BrowseFolder(const std::string& title,
                                            const std::string& startFolder) override {
        asked.push_back({"BrowseFolder", title, startFolder, PromptIcon::None, {}});
        return Take(folderAnswers, std::optional<std::string>{});
    }

private:
    template <typename T> static T Take(std::deque<T>& queue, T whenEmpty) {
        if (queue.empty()) return whenEmpty;
        T answer = std::move(queue.front());
        queue.pop_front();
        return answer;
    }
};

} // namespace platform
