#include "platform/filereplace.h"

#include <charconv>

namespace platform {
namespace {

constexpr std::string_view kPrefix = ".tamble-save-";
constexpr std::string_view kSuffix = ".tmp~";

// Reads the decimal number at the front of text (at least one digit, no
// sign) into value and drops it from text; false when there is none or it
// does not fit.
bool TakeNumber(std::string_view& text, unsigned long& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) return false;
    text.remove_prefix(static_cast<size_t>(end - text.data()));
    return true;
}

} // namespace

std::string SaveTemporaryName(unsigned long process, unsigned long n) {
    return std::string(kPrefix) + std::to_string(process) + "-" + std::to_string(n) +
           std::string(kSuffix);
}

std::optional<unsigned long> SaveTemporaryProcess(std::string_view name) {
    if (name.substr(0, kPrefix.size()) != kPrefix) return std::nullopt;
    name.remove_prefix(kPrefix.size());
    unsigned long process = 0;
    if (!TakeNumber(name, process) || name.empty() || name.front() != '-') return std::nullopt;
    name.remove_prefix(1);
    // The save's number only has to be one: a counter of another build of
    // the program may have run past what this one's can hold.
    const size_t digits = name.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string_view::npos) return std::nullopt;
    name.remove_prefix(digits);
    if (name != kSuffix) return std::nullopt;
    return process;
}

} // namespace platform
