// Text-mode files, the same on every OS: "\n" is written as CR LF and CR LF
// is read as "\n", so files are byte-identical on Linux and Windows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Maps a library path (code page 932 bytes) to the name the system opens:
// bytes on POSIX, UTF-16 units on Windows, both held by a
// std::filesystem::path. The default takes path as the system's own narrow
// name (on Windows only ASCII survives that); a program installs the mapper of its
// file names at start-up (CP932 to UTF-8 on POSIX, CP932 to UTF-16 on
// Windows) so that files with Japanese names open as themselves. A mapper
// returns an empty path for a text that names no file; opening it fails.
using TextFilePathMapper = std::filesystem::path (*)(const char* path);

// Installs mapper for every later open, rename and remove of this module;
// null restores the default.
void SetTextFilePathMapper(TextFilePathMapper mapper);

// The file-system half of an atomic save: replaces the file at nativePath
// (already mapped) by exactly bytes. The bytes go to a temporary file of a
// name no other save uses, in the same folder, which is renamed over the
// target only when complete, so that two saves at once leave one whole
// version. Returns true when the target holds bytes. On false the old file
// (or its absence) is unchanged and no temporary file is left behind.
using TextFileReplacer = bool (*)(const std::filesystem::path& nativePath,
                                  const std::string& bytes);

// Installs replacer for every later WriteTextFileAtomically; null restores
// the portable one, which uses the standard library alone: it cannot push
// the bytes to the disk before the rename, and where a rename meets a file
// that another program holds open (Windows) it fails and keeps the old
// file. A program installs the platform's replacer at start-up.
void SetTextFileReplacer(TextFileReplacer replacer);

// The name the system opens for path: path through the installed mapper.
std::filesystem::path TextFileNativePath(const char* path);

// Reads the whole file at path into text, CR LF turned into "\n" (a lone CR
// stays). Returns false, leaving text empty, when the file cannot be opened.
bool ReadTextFile(const char* path, std::string& text);

// Whether text holds no CR, LF or NUL byte, so that it stays one line of a
// text file and a reader (which ends lines at CR or LF, and texts at NUL)
// gets it back whole. "a\tb" -> true, "a\nb" -> false, "" -> true.
[[nodiscard]] bool IsOneLineText(std::string_view text);

// Writes text to path with every "\n" as CR LF, through the installed
// replacer: a failed or interrupted write leaves the old file whole and no
// temporary file. Returns false when path is null or empty or anything fails.
bool WriteTextFileAtomically(const char* path, const std::string& text);
