#include "platform/instancehandover.h"

#include "platform/handovermessage.h"
#include "platform/instancelock.h"

#include <sys/socket.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

constexpr std::string_view kLockSuffix = ".lock";
constexpr int kSendTimeoutSeconds = 5;

// Closes the descriptor when the sender is done, however it ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int Get() const { return fd_; }

private:
    int fd_;
};

bool ListenerIsOurs(int fd) {
    // In a shared temp folder another user could have put a socket of
    // their own under our name to catch the paths we send.
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && peer.uid == getuid();
}

} // namespace

std::string InstanceSocketPath(const std::string& name) {
    std::string path = InstanceLockPath(name);
    path.resize(path.size() - kLockSuffix.size());
    return path + ".sock";
}

bool HandOverPath(const std::string& socketPath, std::string_view path) {
    const std::string message = EncodeHandover(path);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (message.empty() || socketPath.size() >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);

    const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.Get() < 0) return false;
    if (connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        return false;
    if (!ListenerIsOurs(socket.Get())) return false;
    // A listener that stops reading must not hold this start for ever.
    const timeval timeout{kSendTimeoutSeconds, 0};
    setsockopt(socket.Get(), SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    std::string_view rest = message;
    while (!rest.empty()) {
        const ssize_t written = send(socket.Get(), rest.data(), rest.size(), MSG_NOSIGNAL);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace platform
