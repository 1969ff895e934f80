// The Windows folder search's mask rule, the same on every system so that
// listings select the same names everywhere.
#include "platform/direntries.h"

#include "textlib/strmask.h"

#include <string_view>

namespace platform {
namespace {

constexpr const char* kWildcardExtension = ".*";

} // namespace

bool MatchFolderMask(const std::string& name, const std::string& mask) {
    if (mask.empty()) return false;
    if (MaskMatch(name.c_str(), mask.c_str()) != 0) return true;
    const std::string_view suffix(kWildcardExtension);
    if (mask.size() < suffix.size() || name.find('.') != std::string::npos) return false;
    const size_t stemLength = mask.size() - suffix.size();
    return mask.compare(stemLength, suffix.size(), suffix) == 0 &&
           MaskMatch(name.c_str(), mask.substr(0, stemLength).c_str()) != 0;
}

} // namespace platform
