// A stand-in for any Windows program that reads Tamble's settings through
// the system's profile functions: prints the value of one key, as
// GetPrivateProfileStringA returns it (ANSI code page bytes), to standard
// output. Usage: profilereader FILE SECTION KEY. Exit code 2 when the key
// is missing.
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 4) return 3;
    constexpr DWORD kValueLimit = 4096;
    static char value[kValueLimit];
    const char* kMissing = "\x01missing\x01";
    GetPrivateProfileStringA(argv[2], argv[3], kMissing, value, kValueLimit, argv[1]);
    if (lstrcmpA(value, kMissing) == 0) return 2;
    std::fwrite(value, 1, lstrlenA(value), stdout);
    return 0;
}
