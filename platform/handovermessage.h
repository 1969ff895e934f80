// The message a second start sends to the running instance: one path.
// Layout: the four bytes "TBH1", the path's length as four bytes (most
// significant first), then the path's bytes exactly as the file system
// names it (no conversion, so any name survives).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The longest path a message may carry; longer messages are refused
// before they are read, so a client cannot make the receiver hold much.
inline constexpr std::size_t kMaxHandoverPath = 16384;

// The whole message for path. path must be non-empty, without NUL bytes
// and at most kMaxHandoverPath bytes long (EncodeHandover returns an empty
// string otherwise).
[[nodiscard]] std::string EncodeHandover(std::string_view path);

// Reads one message from bytes as they arrive.
class HandoverDecoder {
public:
    enum class State { NeedMore, Done, Bad };

    // Takes the next bytes of the stream. Returns Done once a whole message
    // has come (bytes after it are ignored), Bad as soon as the bytes cannot
    // be one (wrong header, empty or too long a path, a NUL byte), else
    // NeedMore. After Done or Bad further bytes change nothing.
    State Feed(std::string_view bytes);

    [[nodiscard]] State Current() const { return state_; }
    // The path (Done only).
    [[nodiscard]] const std::string& Path() const { return path_; }

private:
    State state_ = State::NeedMore;
    std::string header_;
    std::size_t length_ = 0;
    std::string path_;
};

} // namespace platform
