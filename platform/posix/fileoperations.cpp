// File operations on POSIX file systems. Everything works on lstat, so a
// symbolic link is always handled as the link itself.
#include "fileoperations.h"

#include "codepage.h"
#include "pathnames.h"
#include "pathstyle.h"

#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <set>

namespace platform {
namespace {

// Longest list of names the delete question shows before "ほか n 個".
constexpr size_t kNamesShownInQuestion = 10;
constexpr size_t kCopyBufferSize = 1 << 16;

std::string Child(const std::string& folder, const std::string& name) {
    return JoinPath(PathStyle::Posix, folder, name);
}

std::optional<struct stat> LinkStatus(const std::string& path) {
    struct stat status;
    if (lstat(path.c_str(), &status) != 0) return std::nullopt;
    return status;
}

bool IsFolder(const struct stat& status) {
    return S_ISDIR(status.st_mode);
}

// Names in folder, without "." and "..". false when it cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>& names) {
    names.clear();
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return false;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0)
            names.emplace_back(entry->d_name);
    }
    closedir(dir);
    return true;
}

// Canonical form of an existing path; "" when it cannot be resolved.
std::string RealPath(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

// Whether path is folder or lies inside it (both canonical).
bool IsSameOrInside(const std::string& path, const std::string& folder) {
    if (path == folder) return true;
    const std::string prefix = folder == "/" ? folder : folder + "/";
    return path.compare(0, prefix.size(), prefix) == 0;
}

// The absolute form of path without resolving its last component, which
// may be a symbolic link that must stay as it is.
std::string AbsoluteKeepingLink(const std::string& path) {
    const std::string parent = RealPath(DirName(path).empty() ? "." : DirName(path));
    return parent.empty() ? path : Child(parent, BaseName(path));
}

uint64_t TreeBytes(const std::string& path) {
    const auto status = LinkStatus(path);
    if (!status) return 0;
    if (S_ISREG(status->st_mode)) return static_cast<uint64_t>(status->st_size);
    if (!IsFolder(*status)) return 0;
    uint64_t total = 0;
    std::vector<std::string> names;
    if (ListFolder(path, names)) {
        for (const std::string& name : names)
            total += TreeBytes(Child(path, name));
    }
    return total;
}

// "「name」" with the path's name in the text of the boxes.
std::string Quoted(const std::string& path) {
    return Cp932("「") + Utf8ToCp932(path) + Cp932("」");
}

// One run of an operation: its questions, progress and undo records.
class Run {
public:
    explicit Run(const FileOperationContext& context) : context_(context) {}
    ~Run() { EndProgress(); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    int Fail(const std::string& text) {
        EndProgress(); // the message must not hide behind the progress dialog
        context_.prompts->Message(text, Cp932("エラー"), PromptIcon::Error);
        return kFileOperationFailed;
    }
    int FailErrno(const std::string& what, const std::string& path, int error) {
        return Fail(Quoted(path) + Cp932(what.c_str()) + ": " + Utf8ToCp932(std::strerror(error)));
    }
    bool Ask(const std::string& text) {
        return context_.prompts->YesNo(text, Cp932("確認"), PromptIcon::Question);
    }

    void BeginProgress(const char* title, uint64_t totalBytes) {
        if (context_.progress == nullptr) return;
        context_.progress->Begin(Cp932(title), totalBytes);
        progressStarted_ = true;
    }
    void EndProgress() {
        if (progressStarted_) context_.progress->End();
        progressStarted_ = false;
    }
    // false when the user cancelled.
    bool Step(const std::string& path) {
        return context_.progress == nullptr ||
               context_.progress->Step(Utf8ToCp932(BaseName(path)), doneBytes_) || !cancellable_;
    }
    // From here on the run goes to its end: stopping it halfway through
    // removing moved sources would leave them split between two places.
    void DisallowCancel() { cancellable_ = false; }

    int Rename(const std::string& from, const std::string& to) const {
        if (context_.calls.rename) return context_.calls.rename(from, to);
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    // Rename that never replaces an existing to (EEXIST instead), where the
    // file system can promise it; elsewhere the caller's check stands alone.
    int RenameNoReplace(const std::string& from, const std::string& to) const {
        if (context_.calls.rename) return context_.calls.rename(from, to);
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
            return 0;
        if (errno != EINVAL && errno != ENOSYS) return errno;
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }

    // --- Copying. Every path created is recorded, so a failed or
    // cancelled run can remove what it made. Returns kFileOperationDone,
    // Cancelled or Failed (after its message).
    int CopyTree(const std::string& source, const std::string& target) {
        const auto status = LinkStatus(source);
        if (!status) return FailErrno(" が見つかりません", source, errno);
        if (!Step(source)) return kFileOperationCancelled;
        const auto existing = LinkStatus(target);
        if (existing && IsFolder(*existing) != IsFolder(*status))
            return Fail(Quoted(target) + Cp932(" は種類の違う項目なので置き換えられません。"));
        if (IsFolder(*status)) return CopyFolder(source, target, *status, existing.has_value());
        if (S_ISLNK(status->st_mode)) return CopyLink(source, target, existing.has_value());
        if (S_ISREG(status->st_mode))
            return CopyFile(source, target, *status, existing.has_value());
        return Fail(Quoted(source) + Cp932(" はコピーできない種類のファイルです。"));
    }

    // Removes what this run created, newest first.
    void UndoCopies() {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            if (::rmdir(it->c_str()) != 0) ::unlink(it->c_str());
        }
        created_.clear();
    }

    // Puts back what this run moved by renaming, newest first.
    void UndoRenames() {
        for (auto it = renamed_.rbegin(); it != renamed_.rend(); ++it)
            Rename(it->second, it->first);
        renamed_.clear();
    }
    void RecordRename(const std::string& from, const std::string& to) {
        renamed_.emplace_back(from, to);
    }

    // Deletes path for good, folders with their contents, links as links.
    int RemoveTree(const std::string& path) {
        const auto status = LinkStatus(path);
        if (!status) return FailErrno(" を削除できません", path, errno);
        if (!Step(path)) return kFileOperationCancelled;
        if (IsFolder(*status)) {
            std::vector<std::string> names;
            if (!ListFolder(path, names)) return FailErrno(" を削除できません", path, errno);
            for (const std::string& name : names) {
                if (const int result = RemoveTree(Child(path, name)); result != kFileOperationDone)
                    return result;
            }
            if (::rmdir(path.c_str()) != 0) return FailErrno(" を削除できません", path, errno);
        } else if (::unlink(path.c_str()) != 0) {
            return FailErrno(" を削除できません", path, errno);
        }
        return kFileOperationDone;
    }

private:
    int CopyFolder(const std::string& source, const std::string& target, const struct stat& status,
                   bool merge) {
        if (!merge) {
            if (::mkdir(target.c_str(), 0700) != 0)
                return FailErrno(" を作成できません", target, errno);
            created_.push_back(target);
        }
        std::vector<std::string> names;
        if (!ListFolder(source, names)) return FailErrno(" を読めません", source, errno);
        for (const std::string& name : names) {
            const int result = CopyTree(Child(source, name), Child(target, name));
            if (result != kFileOperationDone) return result;
        }
        if (!merge) ::chmod(target.c_str(), status.st_mode & 07777);
        return kFileOperationDone;
    }

    int CopyLink(const std::string& source, const std::string& target, bool replace) {
        char text[PATH_MAX];
        const ssize_t length = ::readlink(source.c_str(), text, sizeof text - 1);
        if (length < 0) return FailErrno(" を読めません", source, errno);
        text[length] = '\0';
        if (!replace) {
            if (::symlink(text, target.c_str()) != 0)
                return FailErrno(" を作成できません", target, errno);
            created_.push_back(target);
            return kFileOperationDone;
        }
        // The new link is made beside the old one and renamed over it, so a
        // failure keeps the old one.
        std::string temporary;
        for (int n = 0;; ++n) {
            temporary = Child(DirName(target),
                              ".tamble-link-" + std::to_string(getpid()) + "-" + std::to_string(n));
            if (::symlink(text, temporary.c_str()) == 0) break;
            if (errno != EEXIST) return FailErrno(" を置き換えられません", target, errno);
        }
        if (::rename(temporary.c_str(), target.c_str()) != 0) {
            const int error = errno;
            ::unlink(temporary.c_str());
            return FailErrno(" を置き換えられません", target, error);
        }
        return kFileOperationDone;
    }

    // The bytes go to a temporary file beside target that replaces it only
    // when complete, so a failed copy never leaves a half file or loses the
    // one it was to replace.
    int CopyFile(const std::string& source, const std::string& target, const struct stat& status,
                 bool replace) {
        if (context_.calls.beforeCopy) {
            if (const int error = context_.calls.beforeCopy(source, target); error != 0)
                return FailErrno(" をコピーできません", source, error);
        }
        const int in = ::open(source.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (in < 0) return FailErrno(" をコピーできません", source, errno);
        std::string temporary = Child(DirName(target), ".tamble-copy-XXXXXX");
        const int out = ::mkostemp(temporary.data(), O_CLOEXEC);
        if (out < 0) {
            const int error = errno;
            ::close(in);
            return FailErrno(" をコピーできません", target, error);
        }
        int error = CopyBytes(in, out);
        if (error == 0 && ::fchmod(out, status.st_mode & 07777) != 0) error = errno;
        const struct timespec times[2] = {status.st_atim, status.st_mtim};
        ::futimens(out, times);
        if (::close(out) != 0 && error == 0) error = errno;
        ::close(in);
        if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
        if (error != 0) {
            ::unlink(temporary.c_str());
            return error == ECANCELED ? kFileOperationCancelled
                                      : FailErrno(" をコピーできません", source, error);
        }
        if (!replace) created_.push_back(target);
        return kFileOperationDone;
    }

    // 0, ECANCELED when the user cancelled, or the errno of a failure.
    int CopyBytes(int in, int out) {
        std::vector<char> buffer(kCopyBufferSize);
        for (;;) {
            const ssize_t got = ::read(in, buffer.data(), buffer.size());
            if (got == 0) return 0;
            if (got < 0) {
                if (errno == EINTR) continue;
                return errno;
            }
            for (ssize_t written = 0; written < got;) {
                const ssize_t put =
                    ::write(out, buffer.data() + written, static_cast<size_t>(got - written));
                if (put < 0) {
                    if (errno == EINTR) continue;
                    return errno;
                }
                written += put;
            }
            doneBytes_ += static_cast<uint64_t>(got);
            if (got == static_cast<ssize_t>(buffer.size()) && !StepBytes()) return ECANCELED;
        }
    }
    bool StepBytes() {
        return context_.progress == nullptr || context_.progress->Step({}, doneBytes_) ||
               !cancellable_;
    }

    const FileOperationContext& context_;
    bool progressStarted_ = false;
    bool cancellable_ = true;
    uint64_t doneBytes_ = 0;
    std::vector<std::string> created_;
    std::vector<std::pair<std::string, std::string>> renamed_; // from, to
};

// A source and where it goes.
struct Planned {
    std::string source;
    std::string target;
    bool targetExists = false;
};

// Checks shared by copy and move; fills plan. Returns kFileOperationDone to
// go on, else the result to give (the message or question was shown).
int PlanTransfer(Run& run, const std::vector<std::string>& paths, const std::string& destination,
                 bool renameOnCollision, bool isMove, std::vector<Planned>& plan) {
    struct stat destinationStatus;
    if (::stat(destination.c_str(), &destinationStatus) != 0 || !IsFolder(destinationStatus))
        return run.Fail(Quoted(destination) + Cp932(" はフォルダではありません。"));
    const std::string realDestination = RealPath(destination);
    plan.clear();
    std::set<std::string> targets;
    const auto taken = [&targets](const std::string& path) {
        return targets.count(path) != 0 || LinkStatus(path).has_value();
    };
    for (const std::string& source : paths) {
        const auto status = LinkStatus(source);
        if (!status) return run.Fail(Quoted(source) + Cp932(" が見つかりません。"));
        if (IsFolder(*status) && IsSameOrInside(realDestination, RealPath(source))) {
            return run.Fail(Cp932("フォルダ ") + Quoted(source) +
                            Cp932(" をそれ自身の中やそのサブフォルダの中へコピーまたは移動する"
                                  "ことはできません。"));
        }
        const bool sameFolder = RealPath(DirName(AbsoluteKeepingLink(source))) == realDestination;
        if (isMove && sameFolder)
            return run.Fail(Quoted(source) + Cp932(" はすでに移動先のフォルダにあります。"));
        Planned entry{source, Child(destination, BaseName(source)), false};
        const auto existing = LinkStatus(entry.target);
        if (taken(entry.target) && (renameOnCollision || sameFolder)) {
            for (int n = 2; taken(entry.target); ++n)
                entry.target = Child(destination, CollisionName(BaseName(source), n));
        } else if (targets.count(entry.target) != 0) {
            return run.Fail(Quoted(BaseName(source)) +
                            Cp932(" という名前の項目が複数あるため、一度には処理できません。"));
        } else if (existing) {
            if (IsFolder(*existing) != IsFolder(*status))
                return run.Fail(Quoted(entry.target) +
                                Cp932(" は種類の違う項目なので置き換えられません。"));
            const char* question =
                IsFolder(*existing)
                    ? " はすでにあります。中の同じ名前のファイルを置き換えてまとめますか？"
                    : " はすでにあります。上書きしますか？";
            if (!run.Ask(Quoted(entry.target) + Cp932(question))) return kFileOperationCancelled;
            entry.targetExists = true;
        }
        targets.insert(entry.target);
        plan.push_back(entry);
    }
    return kFileOperationDone;
}

// Bytes the planned sources hold, the length of the progress bar.
uint64_t PlannedBytes(const std::vector<Planned>& plan) {
    uint64_t total = 0;
    for (const Planned& entry : plan)
        total += TreeBytes(entry.source);
    return total;
}

std::string PercentEncoded(const std::string& path) {
    std::string out;
    for (const unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("/-_.~", c) != nullptr) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

bool MakeFolders(const std::string& path) {
    if (path.empty() || path == "/") return true;
    struct stat status;
    if (::stat(path.c_str(), &status) == 0) return IsFolder(status);
    return MakeFolders(DirName(path)) && ::mkdir(path.c_str(), 0700) == 0;
}

std::string HomeTrash(const FileOperationContext& context) {
    if (!context.homeTrash.empty()) return context.homeTrash;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && *dataHome == '/') return std::string(dataHome) + "/Trash";
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/share/Trash";
}

// The top folder of the mount that holds path.
std::string MountTop(const std::string& path) {
    struct stat status;
    if (::lstat(path.c_str(), &status) != 0) return {};
    std::string top = path;
    while (top != "/") {
        const std::string parent = DirName(top);
        struct stat parentStatus;
        if (::stat(parent.c_str(), &parentStatus) != 0 || parentStatus.st_dev != status.st_dev)
            break;
        top = parent;
    }
    return top;
}

// Moves path (absolute) into trash: a unique name is reserved by creating
// its info file, then the item is renamed into files/. Returns 0 or errno.
int MoveIntoTrash(const Run& run, const std::string& path, const std::string& trash) {
    if (!MakeFolders(trash + "/files") || !MakeFolders(trash + "/info")) return errno ? errno : EIO;
    std::string name = BaseName(path);
    std::string info;
    int fd = -1;
    for (int n = 2; fd < 0; ++n) {
        info = trash + "/info/" + name + ".trashinfo";
        fd = ::open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0 && errno != EEXIST) return errno;
        if (fd >= 0 && LinkStatus(trash + "/files/" + name)) {
            ::close(fd);
            fd = -1;
        }
        if (fd < 0) name = CollisionName(BaseName(path), n);
    }
    char when[32];
    const std::time_t now = std::time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
    const std::string text =
        "[Trash Info]\nPath=" + PercentEncoded(path) + "\nDeletionDate=" + when + "\n";
    const bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    ::close(fd);
    int error = written ? run.Rename(path, trash + "/files/" + name) : EIO;
    if (error != 0) ::unlink(info.c_str());
    return error;
}

int Trash(Run& run, const FileOperationContext& context, const std::string& path) {
    const std::string absolute = AbsoluteKeepingLink(path);
    int error = MoveIntoTrash(run, absolute, HomeTrash(context));
    if (error == EXDEV) {
        // Another file system: its own trash at its top folder.
        const std::string top = MountTop(absolute);
        if (!top.empty())
            error = MoveIntoTrash(run, absolute, Child(top, ".Trash-" + std::to_string(getuid())));
    }
    return error == 0 ? kFileOperationDone
                      : run.FailErrno(" をごみ箱に移動できません", path, error);
}

std::string DeleteQuestion(const std::vector<std::string>& paths) {
    std::string text = Cp932("次の ") + std::to_string(paths.size()) +
                       Cp932(" 個の項目を完全に削除します。元に戻すことはできません。"
                             "よろしいですか？\n");
    for (size_t i = 0; i < paths.size() && i < kNamesShownInQuestion; ++i)
        text += "\n" + Utf8ToCp932(paths[i]);
    if (paths.size() > kNamesShownInQuestion) {
        text += "\n" + Cp932("ほか ") + std::to_string(paths.size() - kNamesShownInQuestion) +
                Cp932(" 個");
    }
    return text;
}

} // namespace

std::string CollisionName(const std::string& name, int n) {
    const size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot != 0;
    const std::string stem = hasExtension ? name.substr(0, dot) : name;
    const std::string extension = hasExtension ? name.substr(dot) : std::string();
    return stem + " (" + std::to_string(n) + ")" + extension;
}

int DeletePaths(const FileOperationContext& context, const std::vector<std::string>& paths,
                bool toTrash) {
    Run run(context);
    for (const std::string& path : paths) {
        if (!LinkStatus(path)) return run.Fail(Quoted(path) + Cp932(" が見つかりません。"));
    }
    if (toTrash) {
        run.BeginProgress("ごみ箱へ移動しています", 0);
        for (const std::string& path : paths) {
            if (!run.Step(path)) return kFileOperationCancelled;
            if (const int result = Trash(run, context, path); result != kFileOperationDone)
                return result;
        }
        return kFileOperationDone;
    }
    if (!run.Ask(DeleteQuestion(paths))) return kFileOperationCancelled;
    run.BeginProgress("削除しています", 0);
    for (const std::string& path : paths) {
        if (const int result = run.RemoveTree(path); result != kFileOperationDone) return result;
    }
    return kFileOperationDone;
}

int CopyPaths(const FileOperationContext& context, const std::vector<std::string>& paths,
              const std::string& destination, bool renameOnCollision) {
    Run run(context);
    std::vector<Planned> plan;
    if (const int result = PlanTransfer(run, paths, destination, renameOnCollision, false, plan);
        result != kFileOperationDone) {
        return result;
    }
    run.BeginProgress("コピーしています", PlannedBytes(plan));
    for (const Planned& entry : plan) {
        if (const int result = run.CopyTree(entry.source, entry.target);
            result != kFileOperationDone) {
            run.UndoCopies();
            return result;
        }
    }
    return kFileOperationDone;
}

int MovePaths(const FileOperationContext& context, const std::vector<std::string>& paths,
              const std::string& destination) {
    Run run(context);
    std::vector<Planned> plan;
    if (const int result = PlanTransfer(run, paths, destination, false, true, plan);
        result != kFileOperationDone) {
        return result;
    }
    run.BeginProgress("移動しています", PlannedBytes(plan));

    // Renames first: cheap, and each can be put back.
    std::vector<const Planned*> toCopy;
    for (const Planned& entry : plan) {
        if (entry.targetExists) {
            toCopy.push_back(&entry);
            continue;
        }
        if (!run.Step(entry.source)) {
            run.UndoRenames();
            return kFileOperationCancelled;
        }
        const int error = run.RenameNoReplace(entry.source, entry.target);
        if (error == EXDEV) {
            toCopy.push_back(&entry);
        } else if (error != 0) {
            run.UndoRenames();
            return run.FailErrno(" を移動できません", entry.source, error);
        } else {
            run.RecordRename(entry.source, entry.target);
        }
    }
    // Then copies; their sources go only once every copy is complete.
    for (const Planned* entry : toCopy) {
        if (const int result = run.CopyTree(entry->source, entry->target);
            result != kFileOperationDone) {
            run.UndoCopies();
            run.UndoRenames();
            return result;
        }
    }
    run.DisallowCancel();
    for (const Planned* entry : toCopy) {
        if (const int result = run.RemoveTree(entry->source); result != kFileOperationDone)
            return result;
    }
    return kFileOperationDone;
}

int RenamePath(const FileOperationContext& context, const std::string& path,
               const std::string& newPath) {
    Run run(context);
    if (!LinkStatus(path)) return run.Fail(Quoted(path) + Cp932(" が見つかりません。"));
    if (path == newPath) return kFileOperationDone;
    if (LinkStatus(newPath)) return run.Fail(Quoted(newPath) + Cp932(" はすでにあります。"));
    if (const int error = run.RenameNoReplace(path, newPath); error == EEXIST) {
        return run.Fail(Quoted(newPath) + Cp932(" はすでにあります。"));
    } else if (error != 0) {
        return run.FailErrno(" の名前を変更できません", path, error);
    }
    return kFileOperationDone;
}

} // namespace platform
