#include "platform/systemerror.h"

#include "platform/win32/widepath.h"

#include <windows.h>

namespace platform {

std::string SystemErrorText(int error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (length == 0 || text == nullptr) return "Windows error " + std::to_string(error);
    std::wstring sentence(text, length);
    LocalFree(text);
    // The system ends its sentences with a line end; the boxes add their own.
    while (!sentence.empty() &&
           (sentence.back() == L'\n' || sentence.back() == L'\r' || sentence.back() == L' '))
        sentence.pop_back();
    return Cp932Path(sentence.c_str());
}

} // namespace platform
