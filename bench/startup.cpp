// Starting Kestrava.exe from its folder until it is idle with its window built (its status
// bar reads "Information-Bar"), against starting the same window and controls made with the
// Windows API alone the same way: the floor of this layout on this system. Starting a bare
// one-window program is measured beside them, for information. The medians of the ratios of
// a dozen starts each, side by side.
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
    const auto kestrava = [&] { StartAndStop(app, "Kestrava.exe", "Kestrava", true); };
    const auto layout = [&] { StartAndStop(bench, "layout_window.exe", "layout", true); };
    const auto bare = [&] { StartAndStop(bench, "bare_window.exe", "bare", false); };
    // Once each, so that all start warm.
    kestrava();
    layout();
    bare();
    std::vector<double> starts, layouts, bares, toLayout, toBare;
    for (int i = 0; i < 12; ++i) {
        starts.push_back(BenchMs(kestrava));
        layouts.push_back(BenchMs(layout));
        bares.push_back(BenchMs(bare));
        toLayout.push_back(starts.back() / layouts.back());
        toBare.push_back(starts.back() / bares.back());
    }
    std::printf("median of 12 starts each: kestrava_ms=%.1f layout_ms=%.1f bare_ms=%.1f "
                "ratio_to_bare=%.3f (information)\n",
                BenchMedian(starts), BenchMedian(layouts), BenchMedian(bares), BenchMedian(toBare));
    BenchResult("startup", {BenchMedian(toLayout), BenchMedian(starts), BenchMedian(layouts)},
                ("ratio_to_bare=" + std::to_string(BenchMedian(toBare))).c_str());
    return 0;
}
