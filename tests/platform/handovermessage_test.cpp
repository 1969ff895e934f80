#include "platform/handovermessage.h"
#include "platform/instancehandover.h"
#include "platform/instancelock.h"
#include "tests/common/tempfolder.h"

#include <gtest/gtest.h>

namespace {

using platform::HandoverDecoder;
using State = HandoverDecoder::State;

std::string Header(std::uint32_t length) {
    std::string header = "TBH1";
    for (int shift = 24; shift >= 0; shift -= 8)
        header.push_back(static_cast<char>((length >> shift) & 0xFF));
    return header;
}

TEST(HandoverMessage, RoundTripsAnyPathBytes) {
    const std::string paths[] = {
        "/home/u/work",
        "/tmp/-leading dash/ with blanks ",
        "/tmp/\xff\xfe not UTF-8",
        "/tmp/\xe2\x80\x94\xc2\xa5\xc2\xac\xe2\x80\xbe look-alikes",
        "/tmp/\xf3\xa0\x80\x81 tag character\n\r\t controls",
        std::string(platform::kMaxHandoverPath, 'a'),
    };
    for (const std::string& path : paths) {
        SCOPED_TRACE(path.substr(0, 40));
        const std::string message = platform::EncodeHandover(path);
        ASSERT_FALSE(message.empty());
        HandoverDecoder whole;
        EXPECT_EQ(whole.Feed(message + "trailing bytes"), State::Done);
        EXPECT_EQ(whole.Path(), path);
        // Byte by byte, as a slow sender delivers it.
        if (message.size() > 1000) continue;
        HandoverDecoder bytewise;
        for (std::size_t i = 0; i < message.size(); ++i) {
            const State state = bytewise.Feed(message.substr(i, 1));
            EXPECT_EQ(state, i + 1 == message.size() ? State::Done : State::NeedMore);
        }
        EXPECT_EQ(bytewise.Path(), path);
    }
}

TEST(HandoverMessage, RefusesWhatCannotBeCarried) {
    EXPECT_EQ(platform::EncodeHandover(""), "");
    EXPECT_EQ(platform::EncodeHandover(std::string("a\0b", 3)), "");
    EXPECT_EQ(platform::EncodeHandover(std::string(platform::kMaxHandoverPath + 1, 'a')), "");
}

TEST(HandoverMessage, RejectsGarbageEarly) {
    const struct {
        const char* name;
        std::string bytes;
        State state;
    } cases[] = {
        {"wrong first byte", "X", State::Bad},
        {"HTTP request", "GET / HTTP/1.1\r\n\r\n", State::Bad},
        {"right start, more to come", "TBH", State::NeedMore},
        {"header only", Header(5), State::NeedMore},
        {"empty path", Header(0), State::Bad},
        {"too long to hold", Header(platform::kMaxHandoverPath + 1), State::Bad},
        {"length near 4 GiB", Header(0xFFFFFFFFu), State::Bad},
        {"NUL inside", Header(3) + std::string("a\0b", 3), State::Bad},
        {"short of its length", Header(10) + "abc", State::NeedMore},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HandoverDecoder decoder;
        EXPECT_EQ(decoder.Feed(c.bytes), c.state);
        // Once refused, a valid message afterwards changes nothing.
        if (c.state == State::Bad) {
            EXPECT_EQ(decoder.Feed(platform::EncodeHandover("/x")), State::Bad);
            EXPECT_EQ(decoder.Path(), "");
        }
    }
}

#ifndef _WIN32
// On Windows the lock is a named mutex and the socket a named pipe.
TEST(HandoverMessage, SocketBesideTheLock) {
    const std::string lock = platform::InstanceLockPath("Tamble");
    const std::string socket = platform::InstanceSocketPath("Tamble");
    EXPECT_EQ(socket.substr(0, socket.rfind('/')), lock.substr(0, lock.rfind('/')));
    EXPECT_NE(socket, lock);
}
#endif

TEST(HandoverMessage, NobodyListening) {
    TempFolder folder;
    EXPECT_FALSE(platform::HandOverPath(folder.File("none.sock"), "/x"));
    // A socket path too long for the system's address refuses too.
    EXPECT_FALSE(platform::HandOverPath(folder.File(std::string(200, 's')), "/x"));
}

} // namespace
