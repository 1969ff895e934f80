// Small helpers shared by the forms' control builders.
#pragma once

#include <QString>

namespace tamble {

// Height of a one-line edit box or combo box in the fixed layouts.
inline constexpr int kEditHeight = 20;

// Gives object its design name, so tests and later code find it by
// objectName; returns object for chaining.
template <typename T> T* Named(T* object, const char* name) {
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

} // namespace tamble
