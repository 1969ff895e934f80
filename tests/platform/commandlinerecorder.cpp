// A stand-in program for the Windows start tests: writes the command line
// it was started with and the arguments the system's rules make of it
// (CommandLineToArgvW), as UTF-8, each preceded by its byte count so that
// any text survives, to the file that TAMBLE_ARGUMENT_RECORD names; through
// a temporary name, so the test never reads a half-written record.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

std::string Utf8(const wchar_t* wide) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size - 1 : 0, '\0');
    if (size > 1) WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    return text;
}

void Append(std::string& record, const std::string& text) {
    record += std::to_string(text.size()) + ":" + text + "\n";
}

} // namespace

int main() {
    wchar_t target[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"TAMBLE_ARGUMENT_RECORD", target, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return 2;
    const wchar_t* commandLine = GetCommandLineW();
    std::string record;
    Append(record, Utf8(commandLine));
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(commandLine, &count);
    for (int i = 1; arguments != nullptr && i < count; ++i)
        Append(record, Utf8(arguments[i]));
    LocalFree(arguments);

    const std::wstring partial = std::wstring(target) + L".part";
    const HANDLE file =
        CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    DWORD written = 0;
    const bool wrote =
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr) != 0;
    CloseHandle(file);
    return wrote && MoveFileExW(partial.c_str(), target, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
