#include "platform/heldfolder.h"

#include "platform/widename.h"
#include "platform/win32/relativeentries.h"

#include <windows.h>

namespace platform {
namespace {

// Others may read and write in the folder, but neither rename nor delete it.
constexpr DWORD kHoldSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

HANDLE AsHandle(intptr_t native) {
    return reinterpret_cast<HANDLE>(native);
}

// Opens name (native) relative to the held folder native for purpose, into
// entry. Returns 0 or the Win32 error.
int OpenEntryRelative(intptr_t native, const std::string& name, OpenFor purpose,
                      FileHandle& entry) {
    if (native == -1) return ERROR_INVALID_HANDLE;
    const std::optional<std::u16string> wide = GeneralizedUtf8ToWide(name);
    if (!wide) return ERROR_INVALID_NAME;
    // A view of the held handle, not closed by it.
    FileHandle folder(AsHandle(native));
    DWORD error = 0;
    entry = OpenRelative(folder, *wide, purpose, kShareAll, error);
    (void)folder.Release();
    return entry.Valid() ? 0 : static_cast<int>(error);
}

} // namespace

bool IsFolderIdentity(const EntryIdentity& id) {
    return IsFolderKind(id.type);
}

HeldFolder::~HeldFolder() {
    Close();
}

int HeldFolder::Open(const std::string& path) {
    Close();
    DWORD error = 0;
    FileHandle folder = OpenStartFolder(path, kHoldSharing, nullptr, error);
    if (!folder.Valid()) return static_cast<int>(error);
    const std::optional<EntryIdentity> id = IdentityOfHandle(folder);
    if (!id) return static_cast<int>(GetLastError());
    path_ = path;
    id_ = *id;
    native_ = reinterpret_cast<intptr_t>(folder.Release());
    return 0;
}

int HeldFolder::OpenSame(const HeldFolder& other) {
    Close();
    if (!other.IsOpen()) return ERROR_INVALID_HANDLE;
    HANDLE copy = nullptr;
    if (!DuplicateHandle(GetCurrentProcess(), AsHandle(other.native_), GetCurrentProcess(), &copy,
                         0, FALSE, DUPLICATE_SAME_ACCESS))
        return static_cast<int>(GetLastError());
    path_ = other.path_;
    id_ = other.id_;
    native_ = reinterpret_cast<intptr_t>(copy);
    return 0;
}

void HeldFolder::Close() {
    if (IsOpen()) CloseHandle(AsHandle(native_));
    native_ = -1;
    path_.clear();
    id_ = {};
}

bool HeldFolder::IsOpen() const {
    return native_ != -1;
}

bool HeldFolder::StillNamed() const {
    if (!IsOpen()) return false;
    DWORD error = 0;
    // Shared in every way: the check must not stand in anyone's way.
    return OpenStartFolder(path_, kShareAll, &id_, error).Valid();
}

int HeldFolder::EntryIdentityOf(const std::string& name, EntryIdentity& id) const {
    FileHandle entry;
    if (const int error = OpenEntryRelative(native_, name, OpenFor::Identity, entry); error != 0)
        return error;
    const std::optional<EntryIdentity> found = IdentityOfHandle(entry);
    if (!found) return static_cast<int>(GetLastError());
    id = *found;
    return 0;
}

int HeldFolder::MakeFolder(const std::string& name) const {
    FileHandle made;
    return OpenEntryRelative(native_, name, OpenFor::NewFolder, made);
}

int HeldFolder::MakeEmptyFile(const std::string& name) const {
    FileHandle made;
    return OpenEntryRelative(native_, name, OpenFor::NewFile, made);
}

} // namespace platform
