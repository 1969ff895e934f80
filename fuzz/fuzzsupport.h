// What the fuzz targets share: reading their input, failing a property the
// way a crash fails (so libFuzzer keeps the input and a replay test fails),
// and a private folder for the targets that go through files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// The input as text (it may hold any byte, NUL included).
[[nodiscard]] inline std::string_view AsText(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The parts of text between NUL bytes: "a\0b" gives "a" and "b", "" gives
// one empty part. Several small texts travel in one input this way.
[[nodiscard]] std::vector<std::string> SplitAtNul(std::string_view text);

// bytes with every byte outside printable ASCII as \xNN, for messages.
[[nodiscard]] std::string Shown(std::string_view bytes);

// Prints what failed and aborts: libFuzzer saves the input as a crash, and
// a replay of it exits with an error.
[[noreturn]] void Fail(const std::string& what);

// Fails with what when condition is false.
inline void Check(bool condition, const std::string& what) {
    if (!condition) Fail(what);
}

// A folder of this process's own, made on first use (and made the current
// folder when asked, for inputs that name files relative to it); removed
// with its contents when the process exits.
[[nodiscard]] const std::string& ScratchFolder();
void EnterScratchFolder();

// Writes bytes to name inside the scratch folder; returns the full path.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);

// The bytes of the file at path ("" when it cannot be read).
[[nodiscard]] std::string ReadWholeFile(const std::string& path);

} // namespace fuzz
