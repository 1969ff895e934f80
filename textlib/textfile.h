// Text-mode files, the same on every OS: "\n" is written as CR LF and CR LF
// is read as "\n", so files are byte-identical on Linux and Windows.
#pragma once

#include <string>

// Maps a library path (code page 932 bytes) to the name the C library opens.
// The identity by default; a POSIX program installs a CP932-to-UTF-8 mapper
// at start-up so that files with Japanese names open as themselves.
using TextFilePathMapper = std::string (*)(const char* path);

// Installs mapper for every later open, rename and remove of this module;
// null restores the identity.
void SetTextFilePathMapper(TextFilePathMapper mapper);

// The name the C library opens for path: path through the installed mapper.
std::string TextFileNativePath(const char* path);

// Reads the whole file at path into text, CR LF turned into "\n" (a lone CR
// stays). Returns false, leaving text empty, when the file cannot be opened.
bool ReadTextFile(const char* path, std::string& text);

// Writes text to path with every "\n" as CR LF. The bytes go to a temporary
// file beside path that is then renamed over it, so a failed or interrupted
// write leaves the old file whole. Returns false (and removes the temporary
// file) when anything fails.
bool WriteTextFileAtomically(const char* path, const std::string& text);
