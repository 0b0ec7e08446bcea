#pragma once
// A Win32 kernel handle (file, process, thread, event, mutex, snapshot) closed with CloseHandle
// when its owner goes. Nothing on other systems: the header is safe to include everywhere.

#include "base/ScopedOwner.h"

#ifdef _WIN32
#include <windows.h>

struct CloseKernelHandle {
    // A failed CreateFileW answers INVALID_HANDLE_VALUE, which is nothing to close.
    void operator()(HANDLE handle) const noexcept {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

using ScopedHandle = ScopedOwner<HANDLE, CloseKernelHandle>;
#endif
