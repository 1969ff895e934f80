// Questions to the user: message boxes, yes/no, the one-line input box, the
// open and save boxes and the folder picker. Every text is CP932 bytes, as
// everywhere below the forms. The program uses QtUserPrompts; tests script
// the answers with ScriptedPrompts.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class PromptIcon { None, Information, Warning, Error, Question };

// One entry of a file box's type list: "テキストファイル (*.txt)", "*.txt".
struct FileFilter {
    std::string description;
    std::string pattern; // masks separated by ';'
};

struct FileBoxOptions {
    std::string title; // "" gives the system's default title
    std::vector<FileFilter> filters;
    std::string defaultExtension; // without dot; appended to a name typed without one
    std::string initialFolder;
    std::string fileName; // proposed name
};

class UserPrompts {
public:
    virtual ~UserPrompts() = default;

    // A box with an OK button.
    virtual void Message(const std::string& text, const std::string& title, PromptIcon icon) = 0;
    // A box with Yes and No buttons; true for Yes. Closing it counts as No.
    [[nodiscard]] virtual bool YesNo(const std::string& text, const std::string& title,
                                     PromptIcon icon) = 0;
    // The one-line input box; nullopt when cancelled. At most maxLength
    // bytes can be typed (0: no limit).
    [[nodiscard]] virtual std::optional<std::string> Input(const std::string& caption,
                                                           const std::string& prompt,
                                                           const std::string& proposed,
                                                           int maxLength) = 0;
    // Open box for one existing file; its full path, or nullopt when cancelled.
    [[nodiscard]] virtual std::optional<std::string> OpenFile(const FileBoxOptions& options) = 0;
    // Open box with multiple selection; empty when cancelled.
    [[nodiscard]] virtual std::vector<std::string> OpenFiles(const FileBoxOptions& options) = 0;
    // Save box; the chosen full path, or nullopt when cancelled.
    [[nodiscard]] virtual std::optional<std::string> SaveFile(const FileBoxOptions& options) = 0;
    // Folder picker; the chosen folder, or nullopt when cancelled.
    [[nodiscard]] virtual std::optional<std::string>
    BrowseFolder(const std::string& title, const std::string& startFolder) = 0;
};

} // namespace platform
