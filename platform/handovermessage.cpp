#include "platform/handovermessage.h"

#include <algorithm>
#include <cstdint>

namespace platform {
namespace {

constexpr std::string_view kMagic = "TBH1";
constexpr std::size_t kHeaderSize = kMagic.size() + 4;

} // namespace

std::string EncodeHandover(std::string_view path) {
    if (path.empty() || path.size() > kMaxHandoverPath || path.find('\0') != std::string_view::npos)
        return {};
    std::string message(kMagic);
    const auto length = static_cast<std::uint32_t>(path.size());
    for (int shift = 24; shift >= 0; shift -= 8)
        message.push_back(static_cast<char>((length >> shift) & 0xFF));
    message.append(path);
    return message;
}

HandoverDecoder::State HandoverDecoder::Feed(std::string_view bytes) {
    if (state_ != State::NeedMore) return state_;
    if (header_.size() < kHeaderSize) {
        const std::size_t take = std::min(bytes.size(), kHeaderSize - header_.size());
        header_.append(bytes.substr(0, take));
        bytes.remove_prefix(take);
        if (header_.size() < kHeaderSize) {
            // A wrong start is refused at once, not after waiting for more.
            const std::size_t known = std::min(header_.size(), kMagic.size());
            if (std::string_view(header_).substr(0, known) != kMagic.substr(0, known))
                state_ = State::Bad;
            return state_;
        }
        if (std::string_view(header_).substr(0, kMagic.size()) != kMagic)
            return state_ = State::Bad;
        length_ = 0;
        for (std::size_t i = kMagic.size(); i < kHeaderSize; ++i)
            length_ = (length_ << 8) | static_cast<unsigned char>(header_[i]);
        if (length_ == 0 || length_ > kMaxHandoverPath) return state_ = State::Bad;
    }
    const std::size_t take = std::min(bytes.size(), length_ - path_.size());
    const std::string_view part = bytes.substr(0, take);
    if (part.find('\0') != std::string_view::npos) return state_ = State::Bad;
    path_.append(part);
    if (path_.size() == length_) state_ = State::Done;
    return state_;
}

} // namespace platform
