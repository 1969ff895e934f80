#include "widgets/qtuserprompts.h"

#include "widgets/qtext.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>

namespace platform {
namespace {

QMessageBox::Icon ToQtIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Error:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// Qt reads a filter's masks from the parentheses at its end, so the
// description's own "(*.exe)" is replaced by the real masks.
QString ToQtFilter(const FileFilter& filter) {
    QString description = FromCp932(filter.description).trimmed();
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (description.endsWith(QLatin1Char(')')) && open >= 0)
        description = description.left(open).trimmed();
    QString masks = FromCp932(filter.pattern);
    masks.replace(QLatin1Char(';'), QLatin1Char(' '));
    return description + QStringLiteral(" (") + masks + QLatin1Char(')');
}

void Configure(QFileDialog& dialog, const FileBoxOptions& options) {
    if (!options.title.empty()) dialog.setWindowTitle(FromCp932(options.title));
    QStringList filters;
    for (const FileFilter& filter : options.filters)
        filters << ToQtFilter(filter);
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    if (!options.defaultExtension.empty())
        dialog.setDefaultSuffix(FromCp932(options.defaultExtension));
    if (!options.initialFolder.empty()) dialog.setDirectory(FromCp932(options.initialFolder));
    if (!options.fileName.empty()) dialog.selectFile(FromCp932(options.fileName));
}

std::vector<std::string> RunFileDialog(QWidget* parent, const FileBoxOptions& options,
                                       QFileDialog::AcceptMode acceptMode,
                                       QFileDialog::FileMode fileMode) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(acceptMode);
    dialog.setFileMode(fileMode);
    Configure(dialog, options);
    std::vector<std::string> chosen;
    if (dialog.exec() != QDialog::Accepted) return chosen;
    for (const QString& file : dialog.selectedFiles())
        chosen.push_back(ToCp932(file));
    return chosen;
}

std::optional<std::string> First(const std::vector<std::string>& files) {
    if (files.empty() || files.front().empty()) return std::nullopt;
    return files.front();
}

} // namespace

void QtUserPrompts::Message(const std::string& text, const std::string& title, PromptIcon icon) {
    QMessageBox box(ToQtIcon(icon), FromCp932(title), VisibleText(FromCp932(text)), QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool QtUserPrompts::YesNo(const std::string& text, const std::string& title, PromptIcon icon) {
    // A question names what it acts on: a name must not look like another.
    QMessageBox box(ToQtIcon(icon), FromCp932(title), VisibleText(FromCp932(text)),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    return box.exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUserPrompts::Input(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& proposed, int maxLength) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(FromCp932(caption));
    dialog.setLabelText(FromCp932(prompt));
    dialog.setTextValue(FromCp932(proposed));
    if (maxLength > 0) {
        if (auto* edit = dialog.findChild<QLineEdit*>()) edit->setMaxLength(maxLength);
    }
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return ToCp932(dialog.textValue());
}

std::optional<std::string> QtUserPrompts::OpenFile(const FileBoxOptions& options) {
    return First(
        RunFileDialog(parent_, options, QFileDialog::AcceptOpen, QFileDialog::ExistingFile));
}

std::vector<std::string> QtUserPrompts::OpenFiles(const FileBoxOptions& options) {
    return RunFileDialog(parent_, options, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

std::optional<std::string> QtUserPrompts::SaveFile(const FileBoxOptions& options) {
    return First(RunFileDialog(parent_, options, QFileDialog::AcceptSave, QFileDialog::AnyFile));
}

std::optional<std::string> QtUserPrompts::BrowseFolder(const std::string& title,
                                                       const std::string& startFolder) {
    const QString folder =
        QFileDialog::getExistingDirectory(parent_, FromCp932(title), FromCp932(startFolder));
    if (folder.isEmpty()) return std::nullopt;
    return ToCp932(folder);
}

} // namespace platform
