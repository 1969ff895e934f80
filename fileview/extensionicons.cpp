#include "fileview/extensionicons.h"

#include <utility>

namespace tamble {

ExtensionIcons::ExtensionIcons(LookUp lookUp) : lookUp_(std::move(lookUp)) {}

void ExtensionIcons::Add(QString samplePath) {
    entries_.push_back({std::move(samplePath), std::nullopt});
}

void ExtensionIcons::Clear() {
    entries_.clear();
}

const QIcon& ExtensionIcons::At(size_t k) {
    Entry& entry = entries_[k];
    if (!entry.icon) entry.icon = lookUp_(entry.sample);
    return *entry.icon;
}

} // namespace tamble
