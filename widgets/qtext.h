// The forms' edge between CP932 bytes and QString.
//
// Both ways are exact: ToCp932(FromCp932(b)) == b for every text b that
// Utf8ToCp932 writes (every file name the program lists), so a name shown
// in a widget and read back from it names the same file. A name whose
// UTF-8 is not valid (a file made by another system) keeps its bad bytes:
// each becomes the lone surrogate U+DC80..U+DCFF for its value (shown as
// a replacement mark) and turns back into that byte, where QString's own
// conversion would make U+FFFD of it and so name another file.
#pragma once

#include "platform/codepage.h"

#include <QString>

#include <string>

namespace platform {

// The CP932 text as a QString. Never fails.
[[nodiscard]] QString FromCp932(const std::string& text);

// The QString as CP932. A lone surrogate outside U+DC80..U+DCFF (which no
// UTF-8 text holds) is written as U+FFFD. Never fails.
[[nodiscard]] std::string ToCp932(const QString& text);

// text with every character that shows nothing or reorders what follows
// (controls other than line break and tab, format characters such as the
// tag characters, zero-width joiners and direction overrides) written as
// "<U+XXXX>", so that a question naming a file shows which file it is.
// Only for showing: the result never names a file.
[[nodiscard]] QString VisibleText(const QString& text);

} // namespace platform
