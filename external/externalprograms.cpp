#include "external/externalprograms.h"

#include "platform/codepage.h"
#include "platform/commandline.h"
#include "platform/programstart.h"
#include "textlib/strsearch.h"

#include <algorithm>

namespace tamble {
namespace {

using platform::ProgramStart;
using platform::ShowCommand;

constexpr size_t kMacroLength = 5; // "$PATH", "$FILE"

// Adds the first byte-wise occurrence of macro in text, if any, as value.
void AddMacro(const std::string& text, const char* macro, const std::string& value,
              std::vector<platform::CommandLineValue>& values) {
    const int at = StrFindBM(text.c_str(), macro);
    if (at >= 0) values.push_back({static_cast<size_t>(at), kMacroLength, value});
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
    std::vector<platform::CommandLineValue> values;
    AddMacro(templateText, "$PATH", currentPath, values);
    AddMacro(templateText, "$FILE", selectedFileName, values);
    std::sort(values.begin(), values.end(),
              [](const auto& a, const auto& b) { return a.offset < b.offset; });
    // Pasting the values into the text would let their blanks and quotes
    // split them; splitting first and writing the arguments back cannot.
    const std::vector<std::string> arguments = platform::SplitCommandLine(templateText, values);
    std::string text = platform::JoinCommandLine(arguments);
    if (text.size() >= kSearchParameterBufferSize) return std::nullopt;
    if (platform::SplitCommandLine(text) != arguments) return std::nullopt;
    return text;
}

void RunStringSearch(const AppOptions& options, platform::UserPrompts& prompts,
                     const std::string& templateText, const std::string& currentPath,
                     const std::string& selectedFileName) {
    if (options.SearchStringApp.empty()) return;
    const std::optional<std::string> parameters =
        ExpandSearchTemplate(templateText, currentPath, selectedFileName);
    if (!parameters) {
        const std::string limit = std::to_string(kSearchParameterBufferSize - 1);
        prompts.Message(platform::Cp932("文字列の検索に渡すパラメータが長すぎるか正しくないため、"
                                        "起動できません。\n（パラメータは") +
                            limit + platform::Cp932("バイトまでです）"),
                        platform::Cp932("エラー"), platform::PromptIcon::Error);
        return;
    }
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
