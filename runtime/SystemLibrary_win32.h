// Functions of Windows system libraries that only some commands need. Such a library is
// loaded from the system folder when one of its functions is first wanted and stays for the
// whole run: linked to the program, it would be loaded at every start, and under Wine a
// library with all it pulls in takes a good part of the start.
#pragma once

#include <windows.h>

// The function `name` of `library`; nullptr when either is missing.
template <typename Function> Function SystemFunction(const char* library, const char* name) {
    const HMODULE module = LoadLibraryExA(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    const FARPROC found = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// COM on this thread, once, before the first use of anything that may need it (the file
// dialogs, the shell). It is never undone.
inline void SystemComInit() {
    static const bool done = [] {
        using Init = HRESULT(WINAPI*)(void*);
        if (const Init init = SystemFunction<Init>("ole32.dll", "CoInitialize"))
            init(nullptr);
        return true;
    }();
    (void)done;
}
