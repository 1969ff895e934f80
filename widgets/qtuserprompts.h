// UserPrompts as Qt dialogs, modal to a parent window.
#pragma once

#include "platform/userprompts.h"

class QWidget;

namespace platform {

class QtUserPrompts : public UserPrompts {
public:
    // parent (may be null) owns the boxes while they are shown.
    explicit QtUserPrompts(QWidget* parent) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    void Message(const std::string& text, const std::string& title, PromptIcon icon) override;
    bool YesNo(const std::string& text, const std::string& title, PromptIcon icon) override;
    std::optional<std::string> Input(const std::string& caption, const std::string& prompt,
                                     const std::string& proposed, int maxLength) override;
    std::optional<std::string> OpenFile(const FileBoxOptions& options) override;
    std::vector<std::string> OpenFiles(const FileBoxOptions& options) override;
    std::optional<std::string> SaveFile(const FileBoxOptions& options) override;
    std::optional<std::string> BrowseFolder(const std::string& title,
                                            const std::string& startFolder) override;

private:
    QWidget* parent_;
};

} // namespace platform
