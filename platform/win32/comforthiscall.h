// COM on the calling thread for the length of one call, for the shell
// services that need it (program starts, file icons).
#pragma once

#include <windows.h>

#include <objbase.h>

namespace platform {

// Shell extensions want COM on the calling thread; this sets it up for
// one call unless the thread has it already.
class ComForThisCall {
public:
    ComForThisCall()
        : initialized_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComForThisCall() {
        if (initialized_) CoUninitialize();
    }
    ComForThisCall(const ComForThisCall&) = delete;
    ComForThisCall& operator=(const ComForThisCall&) = delete;

private:
    bool initialized_;
};

} // namespace platform
