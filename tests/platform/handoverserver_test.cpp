#include "platform/handovermessage.h"
#include "platform/instancehandover.h"
#include "platform/qt/handoverserver.h"
#include "tests/common/tempfolder.h"

#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

namespace {

// A raw client that writes bytes and stays connected until destroyed.
class RawClient {
public:
    RawClient(const std::string& socketPath, const std::string& bytes) {
        fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
        connected_ = connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        if (connected_ && !bytes.empty())
            connected_ = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                         static_cast<ssize_t>(bytes.size());
    }
    ~RawClient() { close(fd_); }
    RawClient(const RawClient&) = delete;
    RawClient& operator=(const RawClient&) = delete;
    [[nodiscard]] bool Connected() const { return connected_; }

private:
    int fd_;
    bool connected_ = false;
};

// Leaves a socket file behind as a crashed instance would.
void LeaveStaleSocket(const std::string& socketPath) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, socketPath.c_str(), socketPath.size() + 1);
    ASSERT_EQ(bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    close(fd);
}

TEST(HandoverServer, PathsArriveWhateverOtherClientsDo) {
    TempFolder folder;
    const std::string socketPath = folder.File("Tamble.sock");
    LeaveStaleSocket(socketPath);
    platform::HandoverServer server;
    ASSERT_TRUE(server.Listen(socketPath));
    std::vector<std::string> received;
    QObject::connect(&server, &platform::HandoverServer::PathReceived,
                     [&received](const std::string& path) { received.push_back(path); });

    // A client that says nothing, one that sends garbage and one that
    // announces more than it may send must not keep a real one out.
    RawClient silent(socketPath, "");
    RawClient garbage(socketPath, "GET / HTTP/1.1\r\n\r\n");
    RawClient huge(socketPath, "TBH1\x7f\xff\xff\xff");
    ASSERT_TRUE(silent.Connected() && garbage.Connected() && huge.Connected());
    const std::string path = "/tmp/\xff odd \xe2\x80\x94 name";
    ASSERT_TRUE(platform::HandOverPath(socketPath, path));

    // Waits for the event, not for a time: the limit only ends a hang.
    ASSERT_TRUE(QTest::qWaitFor([&received] { return !received.empty(); }, 20000));
    EXPECT_EQ(received, std::vector<std::string>{path});
}

} // namespace
