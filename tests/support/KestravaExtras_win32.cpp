#include "support/KestravaExtras_win32.h"

#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

HWND StatsOpen(Kestrava& app) {
    app.Click(31);
    HWND stats = app.WindowWait("Statistics");
    if (!stats || !WaitUntil([&] {
            return GetDlgItem(stats, StatsOk) && GetForegroundWindow() == stats &&
                   !IsWindowEnabled(app.Main());
        }))
        return nullptr;
    return stats;
}

std::vector<std::string> StatsValuesRead(Kestrava& app, HWND stats) {
    std::vector<std::string> values;
    for (int line = 0; line < 8; ++line)
        values.push_back(app.Text(GetDlgItem(stats, StatsValues + 2 * line)));
    return values;
}

bool StatsClosed(Kestrava& app, HWND stats) {
    return WaitUntil([&] {
        return !IsWindow(stats) && IsWindowEnabled(app.Main()) &&
               GetForegroundWindow() == app.Main();
    });
}

void RowAdd(Kestrava& app, const char* ware, const char* units, const char* cost,
            const char* sellUnits, const char* yield) {
    const int rows = app.Rows();
    app.TextSet(3, ware);
    app.TextSet(4, units);
    app.TextSet(5, cost);
    app.TextSet(6, sellUnits);
    app.TextSet(9, yield);
    app.TextSet(10, "");
    app.Click(14);
    EXPECT_TRUE(WaitUntil([&] { return !app.Text(10).empty(); })) << ware << " not computed";
    app.Click(15);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == rows + 1; })) << ware << " not moved";
}

int SelectedRow(Kestrava& app) {
    DWORD_PTR row = 0;
    SendMessageTimeoutA(app.Control(26), LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED, SMTO_NORMAL,
                        10000, &row);
    return int(INT_PTR(row));
}

bool TabTo(Kestrava& app, int number) {
    HWND target = app.Control(number);
    for (int presses = 0; presses < 80 && app.Focus() != target; ++presses) {
        HWND before = app.Focus();
        InputKey(VK_TAB);
        WaitUntil([&] { return app.Focus() != before; }, 3000);
    }
    return app.Focus() == target;
}

void TypeOver(const std::string& text) {
    InputKey(VK_HOME);
    InputKey(VK_END, true);
    for (char c : text) {
        const SHORT key = VkKeyScanA(c);
        InputKey(LOBYTE(key), (HIBYTE(key) & 1) != 0);
    }
}

namespace {

// The clipboard is shared with the program, which may hold it for a moment.
bool ClipboardOpen() {
    return WaitUntil([] { return OpenClipboard(nullptr) != 0; }, 5000);
}

} // namespace

void ClipboardClear() {
    if (ClipboardOpen()) {
        EmptyClipboard();
        CloseClipboard();
    }
}

std::string ClipboardText() {
    if (!IsClipboardFormatAvailable(CF_TEXT) || !ClipboardOpen())
        return "";
    std::string text;
    if (HANDLE data = GetClipboardData(CF_TEXT))
        if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
            text = bytes;
            GlobalUnlock(data);
        }
    CloseClipboard();
    return text;
}

Screenshot ClientShot(HWND window) {
    RECT client = {};
    GetClientRect(window, &client);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    Screenshot shot;
    shot.width = client.right;
    shot.height = client.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && memory) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, shot.width, shot.height, screen, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, old);
        const auto* bgra = static_cast<const BYTE*>(bits);
        for (size_t i = 0; i < size_t(shot.width) * size_t(shot.height); ++i)
            shot.pixels.push_back(RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]));
    }
    if (bitmap)
        DeleteObject(bitmap);
    if (memory)
        DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return shot;
}

int WindowsOfProcess(DWORD process) {
    struct Count {
        DWORD process;
        int windows;
    } count = {process, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& c = *reinterpret_cast<Count*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != c.process)
                return TRUE;
            ++c.windows;
            EnumChildWindows(
                window,
                [](HWND, LPARAM inner) -> BOOL {
                    ++*reinterpret_cast<int*>(inner);
                    return TRUE;
                },
                reinterpret_cast<LPARAM>(&c.windows));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.windows;
}
