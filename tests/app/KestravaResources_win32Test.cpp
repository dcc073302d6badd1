// What the executable carries and what the running program holds: the manifest in the built
// file, and GDI objects and windows over many openings of the statistics window.
#include "support/KestravaExtras_win32.h"
#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>

#ifndef KV_APP_DIR
#define KV_APP_DIR ""
#endif

namespace fs = std::filesystem;

namespace {

TEST(KestravaResources, TheManifestAskingForCommonControlsSixIsInTheExecutable) {
    const std::string path = std::string(KV_APP_DIR) + "/Kestrava.exe";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << path;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    FreeLibrary(module);

    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, controls) << manifest;
    const size_t from = manifest.rfind("<assemblyIdentity", controls);
    const std::string identity = manifest.substr(from, manifest.find("/>", controls) - from);
    EXPECT_NE(std::string::npos, identity.find("version=\"6.0.0.0\"")) << identity;
    for (const char* part :
         {"level=\"asInvoker\"", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}", "<gdiScaling"})
        EXPECT_NE(std::string::npos, manifest.find(part)) << part;
}

// Kestrava started with Wine's GDI trace on, which prints the live number of GDI objects at
// every allocation and release. Wine writes a program's trace to the Unix standard error it
// inherits, never to hStdError, so a shell starts it with that redirected into a file.
class TracedKestrava {
  public:
    TracedKestrava()
        : folder_(fs::temp_directory_path() /
                  ("kestrava-traced-" + std::to_string(GetCurrentProcessId()))) {
        const fs::path built = KV_APP_DIR;
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        fs::copy_file(built / "Kestrava.exe", folder_ / "KestravaTraced.exe");
        // Without a window manager Wine waits two seconds for one at every hiding of a
        // captioned window; this copy's windows are Wine's own, so 200 rounds take seconds.
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER,
                            "Software\\Wine\\AppDefaults\\KestravaTraced.exe\\X11 Driver", 0,
                            nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(key, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
            RegCloseKey(key);
        }
        fs::copy(built / "data", folder_ / "data", fs::copy_options::recursive);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION shell = {};
        std::string command =
            "sh -c \"w=/usr/lib/wine/wine64; command -v wine >/dev/null && w=wine; "
            "WINEDEBUG=+gdi exec $w KestravaTraced.exe 2>gdi.txt\"";
        if (!CreateProcessA("Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder_.string().c_str(), &startup, &shell)) {
            ADD_FAILURE() << "sh did not start";
            return;
        }
        CloseHandle(shell.hThread);
        CloseHandle(shell.hProcess);
        WaitUntil([this] { return (main_ = MainFind()) != nullptr; }, 60000);
        DWORD id = 0;
        GetWindowThreadProcessId(main_, &id);
        process_ = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        id_ = id;
    }
    ~TracedKestrava() {
        if (process_) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 10000);
            CloseHandle(process_);
        }
        std::error_code failed;
        WaitUntil([&] { return fs::remove_all(folder_, failed), !failed; }, 5000);
    }
    TracedKestrava(const TracedKestrava&) = delete;
    TracedKestrava& operator=(const TracedKestrava&) = delete;

    HWND Main() const { return main_; }
    DWORD Id() const { return id_; }
    // The live count after the last allocation or release traced so far; -1 before any.
    // A release line shows the count before it.
    int GdiObjects() const {
        std::ifstream in(folder_ / "gdi.txt", std::ios::binary);
        const std::string trace(std::istreambuf_iterator<char>(in), {});
        const size_t end = trace.rfind("/65536");
        if (end == std::string::npos)
            return -1;
        const size_t start = trace.find_last_not_of("0123456789", end - 1) + 1;
        const size_t line = trace.rfind('\n', start) + 1;
        const int count = std::stoi(trace.substr(start, end - start));
        return trace.find("freed", line) < start ? count - 1 : count;
    }

  private:
    static HWND MainFind() {
        HWND found = nullptr;
        EnumWindows(
            [](HWND window, LPARAM data) -> BOOL {
                char title[64] = {}, kind[64] = {};
                GetWindowTextA(window, title, sizeof title);
                GetClassNameA(window, kind, sizeof kind);
                if (std::string(title) != "Kestrava" || std::string(kind) == "#32770" ||
                    !IsWindowVisible(window) || !GetDlgItem(window, 43))
                    return TRUE;
                *reinterpret_cast<HWND*>(data) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    fs::path folder_;
    HWND main_ = nullptr;
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// A left click at the control's centre; the button events carry the position themselves,
// as a program just started may still see the pointer where it rested.
void ClickOn(HWND control) {
    RECT r = {};
    GetWindowRect(control, &r);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[2] = {};
    for (int i = 0; i < 2; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = ((r.left + r.right) / 2 * 65536 + width - 1) / width;
        inputs[i].mi.dy = ((r.top + r.bottom) / 2 * 65536 + height - 1) / height;
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                               (i ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN);
    }
    SendInput(2, inputs, sizeof(INPUT));
}

std::string TextOf(HWND control) {
    char text[256] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_NORMAL, 10000,
                        &ignored);
    return text;
}

// One opening and closing, by the four ways in turn; what went wrong, or "".
std::string StatsCycle(HWND main, int cycle, const std::function<void()>& whileOpen = {}) {
    ClickOn(GetDlgItem(main, 31));
    HWND stats = nullptr;
    if (!WaitUntil([&] { return (stats = FindWindowA(nullptr, "Statistics")) != nullptr; }))
        return "no statistics window";
    if (!WaitUntil([&] { return GetDlgItem(stats, 323) && GetForegroundWindow() == stats; }))
        return "statistics window not in front";
    if (whileOpen)
        whileOpen();
    switch (cycle % 4) {
    case 0: InputKey(VK_ESCAPE); break;
    case 1: InputKey(VK_RETURN); break;
    case 2: PostMessageA(stats, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case 3: ClickOn(GetDlgItem(stats, 323)); break;
    }
    if (!WaitUntil([&] { return !IsWindow(stats); }))
        return "statistics window still open";
    if (!WaitUntil([&] { return IsWindowEnabled(main) && GetForegroundWindow() == main; }))
        return IsWindowEnabled(main) ? "main window not in front" : "main window disabled";
    return "";
}

TEST(KestravaResources, OpeningAndClosingTheStatisticsWindowLeavesNoGdiObjectsOrWindows) {
    TracedKestrava app;
    HWND main = app.Main();
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    // A list with a loss, a gain and a row left out, so the chart has every part.
    const auto set = [&](int number, const char* text) {
        SendMessageA(GetDlgItem(main, number), WM_SETTEXT, 0, LPARAM(text));
    };
    const auto rows = [&] {
        return int(SendMessageA(GetDlgItem(main, 26), LVM_GETITEMCOUNT, 0, 0));
    };
    for (const char* units : {"10", "4", "0"}) {
        set(4, units);
        set(5, "100");
        set(6, "4");
        set(9, units[0] == '4' ? "-30" : "2");
        set(10, "");
        ClickOn(GetDlgItem(main, 14));
        ASSERT_TRUE(WaitUntil([&] { return !TextOf(GetDlgItem(main, 10)).empty(); }));
        const int before = rows();
        ClickOn(GetDlgItem(main, 15));
        ASSERT_TRUE(WaitUntil([&] { return rows() == before + 1; }));
    }

    // The first opening may fill caches that stay; count from after it.
    ASSERT_EQ("", StatsCycle(main, 0));
    const int objects = app.GdiObjects();
    const int windows = WindowsOfProcess(app.Id());
    ASSERT_GT(objects, 0) << "no GDI trace from the program";

    const auto start = std::chrono::steady_clock::now();
    // The counts are live: the open window holds more of both.
    const std::function<void()> holdsMore = [&] {
        EXPECT_TRUE(WaitUntil([&] { return app.GdiObjects() > objects; }));
        EXPECT_GT(WindowsOfProcess(app.Id()), windows);
    };
    for (int cycle = 1; cycle <= 200; ++cycle)
        ASSERT_EQ("", StatsCycle(main, cycle, cycle == 1 ? holdsMore : nullptr))
            << "cycle " << cycle;
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start)
            .count();
    std::cout << "200 openings and closings took " << seconds << " s\n";
    // Painting holds a few objects for a moment; at rest the count is back.
    EXPECT_TRUE(WaitUntil([&] { return app.GdiObjects() == objects; }, 10000))
        << app.GdiObjects() << " GDI objects, " << objects << " before";
    EXPECT_EQ(windows, WindowsOfProcess(app.Id()));
}

} // namespace
