// CPU time an idle program spends inside EventWait: it must block in the system, not poll.
// A second thread wakes the loop after a few seconds; the CPU time of the waiting thread is
// compared with the wall time it waited.
#include "Bench.h"

#include "runtime/Memory.h"
#include "toolkit/Widget.h"

#include <windows.h>

#include <thread>

namespace {

double ThreadCpuMs(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    GetThreadTimes(thread, &created, &ended, &kernel, &user);
    auto ms = [](FILETIME time) {
        return (static_cast<double>(time.dwHighDateTime) * 4294967296.0 + time.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

} // namespace

int main() {
    MemoryInit();
    WindowsInit();
    WidgetsInit();
    CommonControlsInit();
    WindowOpen(0, 50, 50, 300, 200, "idle", 0xCA0000, nullptr);
    while (EventWaitTimeout(200)) {
    } // settle: show, activate, paint

    // The clock must see work: a short busy loop has to show up as CPU time.
    const double busyBefore = ThreadCpuMs(GetCurrentThread());
    const DWORD busyEnd = GetTickCount() + 200;
    while (static_cast<int>(busyEnd - GetTickCount()) > 0) {
    }
    const double busyMs = ThreadCpuMs(GetCurrentThread()) - busyBefore;

    const int idleMs = 3000;
    const DWORD loop = GetCurrentThreadId();
    HANDLE self = GetCurrentThread();
    std::thread waker([loop] {
        Sleep(idleMs);
        PostThreadMessageA(loop, WM_USER, 0, 0);
    });
    const double cpuBefore = ThreadCpuMs(self);
    int calls = 0;
    const double wallMs = BenchBestMs(1, [&] {
        while (EventWait() != static_cast<int>(WM_USER))
            ++calls;
    });
    const double cpuMs = ThreadCpuMs(self) - cpuBefore;
    waker.join();

    char extra[96];
    std::snprintf(extra, sizeof extra, "other_messages=%d busy_check_cpu_ms=%.1f", calls, busyMs);
    // Ratio: share of one core the idle loop used while it waited.
    BenchResult("event_idle", cpuMs, wallMs, extra);
    WindowCloseAll();
    return 0;
}
