// Starting Kestrava.exe from its folder until it is idle with its window built (its status
// bar reads "Information-Bar"), against starting a bare one-window program the same way.
// The median of the paired ratios of a dozen starts each.
#include "bench/Bench.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    DWORD process;
    const char* title;
    HWND found;
};

HWND ProcessWindow(DWORD process, const char* title) {
    Search search = {process, title, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char text[64] = {};
            GetWindowTextA(window, text, sizeof text);
            if (owner == s.process && std::string(text) == s.title && IsWindowVisible(window)) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The status bar's first field, read through a buffer in the program's own memory.
std::string StatusText(HANDLE process, HWND window) {
    HWND bar = FindWindowExA(window, nullptr, "msctls_statusbar32", nullptr);
    void* remote =
        bar ? VirtualAllocEx(process, nullptr, 256, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    if (!remote)
        return "";
    char text[256] = {};
    DWORD_PTR ignored = 0;
    if (SendMessageTimeoutA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(remote), SMTO_BLOCK, 5000,
                            &ignored))
        ReadProcessMemory(process, remote, text, sizeof text - 1, nullptr);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return text;
}

bool Built(HANDLE process, HWND window, bool needsStatus) {
    return window && (!needsStatus ||
                      StatusText(process, window).find("Information-Bar") != std::string::npos);
}

// Starts the program in its folder and waits until it is idle with its window built; then
// ends it. Aborts when that never happens.
void StartAndStop(const std::string& folder, const std::string& exe, const char* title,
                  bool needsStatus) {
    std::string line = "\"" + folder + "\\" + exe + "\"";
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &start, &started)) {
        std::printf("%s did not start\n", line.c_str());
        std::exit(1);
    }
    WaitForInputIdle(started.hProcess, 30000);
    HWND window = nullptr;
    for (int turn = 0; turn < 30000 && !Built(started.hProcess, window, needsStatus); ++turn) {
        window = ProcessWindow(started.dwProcessId, title);
        if (!Built(started.hProcess, window, needsStatus))
            Sleep(1);
    }
    if (!Built(started.hProcess, window, needsStatus)) {
        std::printf("%s never showed its window built\n", exe.c_str());
        std::exit(1);
    }
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, 10000);
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
}

} // namespace

int main() {
    const std::string app = KV_APP_DIR, bench = KV_BENCH_DIR;
    // Once each, so both start warm.
    StartAndStop(app, "Kestrava.exe", "Kestrava", true);
    StartAndStop(bench, "bare_window.exe", "bare", false);
    const BenchPairs pairs = BenchPaired(
        12, [&] { StartAndStop(app, "Kestrava.exe", "Kestrava", true); },
        [&] { StartAndStop(bench, "bare_window.exe", "bare", false); });
    std::printf("median of 12 paired starts\n");
    BenchResult("startup", pairs);
    return 0;
}
