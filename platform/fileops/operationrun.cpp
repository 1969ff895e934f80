#include "platform/fileops/operationrun.h"

#include "platform/codepage.h"
#include "platform/paths.h"
#include "platform/systemerror.h"

namespace platform {
namespace {

// ": " and why an entry could not be handled.
std::string Reason(int error) {
    if (error == kEntryChanged)
        return Cp932(": 見つけたときとは別の項目に置き換えられているため、そのままにしました");
    return ": " + SystemErrorText(error);
}

// The last name of a native path, as the progress shows it.
std::string ShownName(const std::string& path) {
    const char* separators = NativePathStyle() == PathStyle::Windows ? "\\/" : "/";
    const size_t last = path.find_last_of(separators);
    return last == std::string::npos ? path : path.substr(last + 1);
}

} // namespace

std::string Quoted(const std::string& path) {
    return Cp932("「") + Utf8ToCp932(path) + Cp932("」");
}

std::string PathList(const std::vector<std::string>& paths) {
    return PathList(paths, paths.size());
}

std::string PathList(const std::vector<std::string>& paths, size_t total) {
    std::string text;
    for (size_t i = 0; i < paths.size() && i < total && i < kPathsShownInBox; ++i)
        text += "\n" + Utf8ToCp932(paths[i]);
    if (total > kPathsShownInBox)
        text += "\n" + Cp932("ほか ") + std::to_string(total - kPathsShownInBox) + Cp932(" 個");
    return text;
}

std::string DeleteQuestion(const std::vector<std::string>& paths, size_t total) {
    return Cp932("次の ") + std::to_string(total) +
           Cp932(" 個の項目を完全に削除します。元に戻すことはできません。よろしいですか？\n") +
           PathList(paths, total);
}

int Run::Fail(const std::string& text) {
    EndProgress(); // the message must not hide behind the progress dialog
    context_.prompts->Message(text, Cp932("エラー"), PromptIcon::Error);
    return kFileOperationFailed;
}

int Run::FailErrno(const char* what, const std::string& path, int error) {
    return Fail(Quoted(path) + Cp932(what) + Reason(error));
}

bool Run::Ask(const std::string& text) {
    return context_.prompts->YesNo(text, Cp932("確認"), PromptIcon::Question) &&
           !RefuseChangedFolder(context_);
}

void Run::BeginProgress(const char* title, uint64_t totalBytes) {
    if (context_.progress == nullptr) return;
    context_.progress->Begin(Cp932(title), totalBytes);
    progressStarted_ = true;
}

void Run::EndProgress() {
    if (progressStarted_) context_.progress->End();
    progressStarted_ = false;
}

bool Run::Step(const std::string& path) {
    return context_.progress == nullptr ||
           context_.progress->Step(Utf8ToCp932(ShownName(path)), doneBytes_) || !cancellable_;
}

bool Run::StepBytes() {
    return context_.progress == nullptr || context_.progress->Step({}, doneBytes_) || !cancellable_;
}

void Run::Skip(const char* what, const std::string& path, int error) {
    skipped_.push_back(Quoted(path) + Cp932(what) + Reason(error));
}

int Run::Finish(int result) {
    if (skipped_.empty()) return result;
    std::string text;
    if (skipped_.size() == 1) {
        text = skipped_.front();
    } else {
        text = Cp932("次の ") + std::to_string(skipped_.size()) +
               Cp932(" 個の項目は処理できませんでした。ほかの項目は処理しました。\n");
        for (size_t i = 0; i < skipped_.size() && i < kPathsShownInBox; ++i)
            text += "\n" + skipped_[i];
        if (skipped_.size() > kPathsShownInBox) {
            text += "\n" + Cp932("ほか ") + std::to_string(skipped_.size() - kPathsShownInBox) +
                    Cp932(" 個");
        }
    }
    skipped_.clear();
    Fail(text);
    return result == kFileOperationDone ? kFileOperationFailed : result;
}

void Run::Found(const std::string& path) const {
    if (context_.calls.entryFound) context_.calls.entryFound(path);
}

int Run::RenameHook(const std::string& from, const std::string& to) const {
    return context_.calls.rename ? context_.calls.rename(from, to) : 0;
}

int Run::CopyHook(const std::string& source, const std::string& target) const {
    return context_.calls.beforeCopy ? context_.calls.beforeCopy(source, target) : 0;
}

std::string FolderChangedText(const std::string& path) {
    return Quoted(path) + Cp932(" は表示したときのフォルダではなくなっています（名前の変更か"
                                "置き換え）。何も変更していません。一覧を読み直します。");
}

bool RefuseChangedFolder(const FileOperationContext& context) {
    for (const HeldFolder* folder : context.heldFolders) {
        if (folder->StillNamed()) continue;
        context.prompts->Message(FolderChangedText(folder->Path()), Cp932("エラー"),
                                 PromptIcon::Error);
        return true;
    }
    return false;
}

} // namespace platform
