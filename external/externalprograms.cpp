#include "externalprograms.h"

#include "programstart.h"
#include "strsearch.h"

namespace tamble {
namespace {

using platform::ProgramStart;
using platform::ShowCommand;

// Replaces the first byte-wise occurrence of macro in text, if any.
void ReplaceFirst(std::string& text, const char* macro, const std::string& value) {
    const int at = StrFindBM(text.c_str(), macro);
    if (at >= 0)
        text.replace(static_cast<size_t>(at), std::char_traits<char>::length(macro), value);
}

} // namespace

void OpenInEditor(const AppOptions& options, const std::string& path) {
    if (path.empty()) return;
    if (options.AllOpenEditor) {
        platform::StartProgram({options.UseEditor, path, true, ShowCommand::Normal});
    } else {
        platform::StartProgram({path, std::nullopt, false, ShowCommand::Normal});
    }
}

void ShellOpenFile(const std::string& path) {
    platform::StartProgram({path, std::nullopt, false, ShowCommand::Show});
}

void OpenExplorer(const std::string& currentPath) {
    // The folder is one argument: a path with blanks must not fall apart.
    platform::StartProgram({"explorer", currentPath, true, ShowCommand::Show});
}

std::optional<std::string> ExpandSearchTemplate(const std::string& templateText,
                                                const std::string& currentPath,
                                                const std::string& selectedFileName) {
    // A longer text used to be cut at the buffer's end, which could start
    // the search on a truncated path; refusing is the safe answer.
    if (templateText.size() >= kSearchParameterBufferSize) return std::nullopt;
    std::string text = templateText;
    ReplaceFirst(text, "$PATH", currentPath);
    if (text.size() >= kSearchParameterBufferSize) return std::nullopt;
    ReplaceFirst(text, "$FILE", selectedFileName);
    if (text.size() >= kSearchParameterBufferSize) return std::nullopt;
    return text;
}

void RunStringSearch(const AppOptions& options, const std::string& templateText,
                     const std::string& currentPath, const std::string& selectedFileName) {
    if (options.SearchStringApp.empty()) return;
    const std::optional<std::string> parameters =
        ExpandSearchTemplate(templateText, currentPath, selectedFileName);
    if (!parameters) return;
    platform::StartProgram({options.SearchStringApp, *parameters, false, ShowCommand::Show});
}

void LaunchItem(const std::string& fileName, const std::string& parameters) {
    if (fileName.empty()) return;
    platform::StartProgram({fileName, parameters, false, ShowCommand::Show});
}

void LaunchItemWithFile(const std::string& fileName, const std::string& path) {
    platform::StartProgram({fileName, path, true, ShowCommand::Show});
}

} // namespace tamble
