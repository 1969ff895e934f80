// The running instance listens on a named pipe of the session (Qt's local
// server uses named pipes on Windows); a second start writes its message
// there. Pipe names are shared by the whole machine, so the name carries
// the session's number and the listener must run in this session.
#include "platform/instancehandover.h"

#include "platform/handovermessage.h"
#include "platform/win32/filehandle.h"
#include "platform/win32/widepath.h"

#include <windows.h>

#include <optional>

namespace platform {
namespace {

constexpr DWORD kSendTimeoutMilliseconds = 5000;

std::optional<DWORD> SessionOf(DWORD process) {
    DWORD session = 0;
    if (!ProcessIdToSessionId(process, &session)) return std::nullopt;
    return session;
}

bool ListenerIsOfThisSession(HANDLE pipe) {
    ULONG server = 0;
    if (!GetNamedPipeServerProcessId(pipe, &server)) return false;
    const std::optional<DWORD> theirs = SessionOf(server);
    return theirs && theirs == SessionOf(GetCurrentProcessId());
}

// Opens the pipe for writing, waiting a little while every instance of it
// is busy with another client; invalid when nobody listens.
FileHandle ConnectTo(const std::u16string& pipe) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        // Identification only: the listener may learn who writes, but may
        // not act as this user.
        FileHandle handle(CreateFileW(
            WideChars(pipe), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
            FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        if (handle.Valid() || GetLastError() != ERROR_PIPE_BUSY) return handle;
        if (!WaitNamedPipeW(WideChars(pipe), kSendTimeoutMilliseconds)) break;
    }
    return FileHandle();
}

// Writes all of message, giving up when the listener does not take it in time.
bool WriteWithin(HANDLE pipe, const std::string& message) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (overlapped.hEvent == nullptr) return false;
    DWORD written = 0;
    bool done = WriteFile(pipe, message.data(), static_cast<DWORD>(message.size()), &written,
                          &overlapped) != 0;
    if (!done && GetLastError() == ERROR_IO_PENDING) {
        if (WaitForSingleObject(overlapped.hEvent, kSendTimeoutMilliseconds) != WAIT_OBJECT_0)
            CancelIoEx(pipe, &overlapped);
        done = GetOverlappedResult(pipe, &overlapped, &written, TRUE) != 0;
    }
    CloseHandle(overlapped.hEvent);
    return done && written == message.size();
}

} // namespace

std::string InstanceSocketPath(const std::string& name) {
    return "\\\\.\\pipe\\" + name + "-" +
           std::to_string(SessionOf(GetCurrentProcessId()).value_or(0));
}

bool HandOverPath(const std::string& socketPath, std::string_view path) {
    const std::string message = EncodeHandover(path);
    const std::optional<std::u16string> pipe = WidePath(socketPath);
    if (message.empty() || !pipe) return false;
    const FileHandle handle = ConnectTo(*pipe);
    if (!handle.Valid() || !ListenerIsOfThisSession(handle.Get())) return false;
    return WriteWithin(handle.Get(), message);
}

} // namespace platform
