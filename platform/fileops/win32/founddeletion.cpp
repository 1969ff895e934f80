// Deleting what a tree walk found, on Windows. Every folder on the way to
// a found file is opened relative to its parent, checked to be the folder
// found and held open without delete sharing, so that nobody can rename or
// replace it until the end; each file is opened relative to its folder as
// itself (a link as the link) and deleted through that handle only once
// its identity is checked. The Recycle Bin has no handle interface, so
// there the shell moves the checked paths, while the folders stay held.
#include "platform/fileops/fileoperations.h"

#include "platform/fileops/operationrun.h"
#include "platform/win32/relativeentries.h"
#include "platform/win32/widepath.h"

namespace platform {
namespace {

constexpr const char* kCannotDelete = " を削除できません";
constexpr const char* kCannotTrash = " をごみ箱に移動できません";

// Others may read and write in the held folders, but neither rename nor
// delete them.
constexpr DWORD kHoldShare = FILE_SHARE_READ | FILE_SHARE_WRITE;

// The attributes a program may set; the others describe the entry.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The found folders, each opened once when first needed and held to the end.
class HeldFolders {
public:
    explicit HeldFolders(const FoundEntries& found)
        : found_(found), handles_(found.folders.size()), errors_(found.folders.size(), 0) {}

    // The handle of found folder index, reached from the start through the
    // folders found on the way; null with error (kEntryChanged for a folder
    // replaced since it was found) when it cannot be reached.
    const FileHandle* Reach(size_t index, DWORD& error) {
        std::vector<size_t> chain; // from index up to the first folder already tried
        for (size_t at = index; at != kNoFolder && !Tried(at); at = found_.folders[at].parent)
            chain.push_back(at);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it)
            OpenOne(*it);
        error = errors_[index];
        return error == 0 ? &handles_[index] : nullptr;
    }

private:
    bool Tried(size_t index) const { return handles_[index].Valid() || errors_[index] != 0; }

    void OpenOne(size_t index) {
        const FoundFolder& folder = found_.folders[index];
        DWORD& error = errors_[index];
        if (folder.parent == kNoFolder) {
            handles_[index] = OpenStartFolder(folder.name, kHoldShare, &folder.id, error);
            return;
        }
        if (errors_[folder.parent] != 0) {
            error = errors_[folder.parent];
            return;
        }
        const std::optional<std::u16string> name = WideNativePath(folder.name);
        if (!name) {
            error = ERROR_INVALID_NAME;
            return;
        }
        FileHandle handle =
            OpenRelative(handles_[folder.parent], *name, OpenFor::Listing, kHoldShare, error);
        if (!handle.Valid()) {
            // A link now stands where the folder was, or it is gone.
            if (error == ERROR_DIRECTORY || error == ERROR_FILE_NOT_FOUND) error = kEntryChanged;
            return;
        }
        if (IdentityOfHandle(handle) != folder.id) {
            error = kEntryChanged;
            return;
        }
        handles_[index] = std::move(handle);
    }

    const FoundEntries& found_;
    std::vector<FileHandle> handles_;
    std::vector<DWORD> errors_;
};

// Opens the found file in its held folder for purpose and checks that it
// is still the file found. Invalid with error otherwise.
FileHandle OpenFound(HeldFolders& folders, const FoundFile& file, OpenFor purpose, DWORD& error) {
    const FileHandle* folder = folders.Reach(file.folder, error);
    if (folder == nullptr) return {};
    const std::optional<std::u16string> name = WideNativePath(file.name);
    if (!name) {
        error = ERROR_INVALID_NAME;
        return {};
    }
    FileHandle entry = OpenRelative(*folder, *name, purpose, kShareAll, error);
    if (!entry.Valid()) return {};
    if (IdentityOfHandle(entry) != file.id) {
        error = kEntryChanged;
        return {};
    }
    return entry;
}

bool MarkForDeletion(const FileHandle& entry) {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(entry.Get(), FileDispositionInfo, &disposition,
                                      sizeof disposition) != 0;
}

bool SetAttributes(const FileHandle& entry, DWORD attributes) {
    FILE_BASIC_INFO basic{}; // zero times: left as they are
    basic.FileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
    return SetFileInformationByHandle(entry.Get(), FileBasicInfo, &basic, sizeof basic) != 0;
}

// Deletes the entry the handle (opened for deletion) stands for; it is
// gone once the handle is closed. A read-only file goes too, as the
// shell's delete and the POSIX build let it go: the attribute guards the
// contents, not the name. Returns 0 or the Win32 error.
DWORD DeleteThrough(const FileHandle& entry) {
    if (MarkForDeletion(entry)) return 0;
    const DWORD error = GetLastError();
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(entry.Get(), FileBasicInfo, &basic, sizeof basic) ||
        (basic.FileAttributes & FILE_ATTRIBUTE_READONLY) == 0)
        return error;
    const DWORD kept = basic.FileAttributes & kSettableAttributes;
    if (!SetAttributes(entry, kept & ~FILE_ATTRIBUTE_READONLY)) return error;
    if (MarkForDeletion(entry)) return 0;
    const DWORD second = GetLastError();
    SetAttributes(entry, kept); // it stays: as it was
    return second;
}

int DeleteForGood(Run& run, HeldFolders& folders, const FoundEntries& found,
                  const std::vector<std::string>& paths) {
    run.BeginProgress("削除しています", 0);
    for (size_t i = 0; i < found.files.size(); ++i) {
        if (!run.Step(paths[i])) return run.Finish(kFileOperationCancelled);
        run.Found(paths[i]);
        DWORD error = 0;
        const FileHandle entry = OpenFound(folders, found.files[i], OpenFor::Deletion, error);
        if (entry.Valid()) error = DeleteThrough(entry);
        if (error != 0) run.Skip(kCannotDelete, paths[i], static_cast<int>(error));
    }
    return run.Finish(kFileOperationDone);
}

// The shell moves the files still found to the Recycle Bin, by their
// paths, with its own question, progress and errors. The folders on every
// path are held, so each path stays inside the start folder; only a file
// put in place of a checked one in the same folder meanwhile would go to
// the Recycle Bin instead of it.
int Trash(Run& run, const FileOperationContext& context, HeldFolders& folders,
          const FoundEntries& found, const std::vector<std::string>& paths) {
    std::vector<std::string> checked;
    for (size_t i = 0; i < found.files.size(); ++i) {
        run.Found(paths[i]);
        DWORD error = 0;
        if (OpenFound(folders, found.files[i], OpenFor::Identity, error).Valid())
            checked.push_back(paths[i]);
        else
            run.Skip(kCannotTrash, paths[i], static_cast<int>(error));
    }
    return run.Finish(checked.empty() ? kFileOperationDone : DeletePaths(context, checked, true));
}

} // namespace

int DeleteFound(const FileOperationContext& context, const FoundEntries& found, bool toTrash) {
    if (found.files.empty() || found.folders.empty()) return kFileOperationDone;
    Run run(context);
    std::vector<std::string> paths;
    paths.reserve(found.files.size());
    for (const FoundFile& file : found.files)
        paths.push_back(found.PathOf(file));
    if (!toTrash && !run.Ask(DeleteQuestion(paths, paths.size()))) return kFileOperationCancelled;
    HeldFolders folders(found);
    DWORD error = 0;
    if (folders.Reach(0, error) == nullptr)
        return run.FailErrno(" の中を削除できません", found.folders.front().name,
                             static_cast<int>(error));
    return toTrash ? Trash(run, context, folders, found, paths)
                   : DeleteForGood(run, folders, found, paths);
}

} // namespace platform
