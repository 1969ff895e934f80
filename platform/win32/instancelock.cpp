// A named mutex in the session's own namespace ("Local\"): Windows drops it
// when the last handle goes, which is when the process ends, however it
// ends. The handle is never inherited, so started programs cannot keep it.
#include "platform/instancelock.h"

#include "platform/win32/widepath.h"

#include <windows.h>

#include <optional>

namespace platform {

std::string InstanceLockPath(const std::string& name) {
    return "Local\\" + name;
}

bool AcquireInstanceLock(const std::string& name) {
    const std::optional<std::u16string> wide = WidePath(InstanceLockPath(name));
    if (!wide) return true;
    const HANDLE mutex = CreateMutexW(nullptr, TRUE, WideChars(*wide));
    if (mutex == nullptr) {
        // A name taken by another kind of object, or no right to open the
        // mutex: either way someone else is there; anything else is a
        // broken environment, which must not keep the program from starting.
        const DWORD error = GetLastError();
        return error != ERROR_INVALID_HANDLE && error != ERROR_ACCESS_DENIED;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    return true; // the handle stays open for the process's life
}

} // namespace platform
