// One run of a file operation: its questions, its progress, the test hooks
// of its context, and the entries it had to leave while the rest went on.
// Texts given to it are code page 932; paths are native.
#pragma once

#include "platform/fileops/fileoperations.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// "「path」" in the text of the boxes.
[[nodiscard]] std::string Quoted(const std::string& path);

// Longest list of paths a box shows before "ほか n 個".
inline constexpr size_t kPathsShownInBox = 10;

// A list of paths for a box: the first few, one a line, then "ほか n 個".
[[nodiscard]] std::string PathList(const std::vector<std::string>& paths);
// The same for a list of total paths of which paths holds the first ones
// (at least kPathsShownInBox of them when there are that many).
[[nodiscard]] std::string PathList(const std::vector<std::string>& paths, size_t total);

// The question asked before total entries are deleted for good, naming the
// first of them (paths: at least as many as a box shows, when there are).
[[nodiscard]] std::string DeleteQuestion(const std::vector<std::string>& paths, size_t total);

class Run {
public:
    explicit Run(const FileOperationContext& context) : context_(context) {}
    ~Run() { EndProgress(); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // Shows text as an error and returns kFileOperationFailed.
    int Fail(const std::string& text);
    // Fail with "「path」" + what + ": " + the system's text for error
    // (systemerror.h).
    int FailErrno(const char* what, const std::string& path, int error);
    // A yes/no question; true for Yes. False for No, and for a Yes after
    // which a held folder is no longer the folder its path names (a box
    // said so): the answer was about what the user saw.
    bool Ask(const std::string& text);

    void BeginProgress(const char* title, uint64_t totalBytes);
    void EndProgress();
    // Reports path to the progress; false when the user cancelled.
    bool Step(const std::string& path);
    // Reports the bytes done so far; false when the user cancelled.
    bool StepBytes();
    void AddBytes(uint64_t bytes) { doneBytes_ += bytes; }
    // From here on the run goes to its end: stopping it halfway through
    // removing moved sources would leave them split between two places.
    void DisallowCancel() { cancellable_ = false; }

    // Records that path was left as it was: what (code page 932, such as
    // " を削除できません") and the system's text for error, or the
    // sentence for an entry replaced since it was found.
    void Skip(const char* what, const std::string& path, int error);
    [[nodiscard]] bool Skipped() const { return !skipped_.empty(); }
    // Shows the entries left out in one box, and returns result, made
    // kFileOperationFailed when result was kFileOperationDone and
    // something was left out.
    int Finish(int result);

    [[nodiscard]] const FileOperationContext& Context() const { return context_; }
    // The test hooks of the context.
    void Found(const std::string& path) const;
    // The rename hook's verdict for from -> to: 0 lets the rename go ahead.
    [[nodiscard]] int RenameHook(const std::string& from, const std::string& to) const;
    [[nodiscard]] int CopyHook(const std::string& source, const std::string& target) const;

private:
    const FileOperationContext& context_;
    bool progressStarted_ = false;
    bool cancellable_ = true;
    uint64_t doneBytes_ = 0;
    std::vector<std::string> skipped_; // one line each
};

} // namespace platform
