#include "WidgetTestUtil_win32.h"

#include "WinTestUtil_win32.h"

#include "toolkit/Widget.h"
#include "toolkit/Window.h"

#include <cstdlib>

HWND WidgetTestWindow(int number, int width, int height) {
    ToolkitTestInit();
    HWND window =
        reinterpret_cast<HWND>(WindowOpen(number, 0, 0, width, height, "widgets", 0, nullptr));
    if (window) {
        WidgetListBegin(window);
        WindowForegroundMake(window);
    }
    return window;
}

WidgetEvents WidgetEventsPump(int milliseconds) {
    WidgetEvents events;
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    for (;;) {
        int left = static_cast<int>(end - GetTickCount());
        int kind = EventWaitTimeout(left > 0 ? left : 0);
        if (kind == EventKindWidget)
            events.emplace_back(EventWidgetId(), EventSubtype());
        else if (kind == EventNone && left <= 0)
            break;
    }
    return events;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    UpdateWindow(window);
    POINT point = ClientToScreenPoint(window, x, y);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

static void MouseButtons(int x, int y, DWORD down, DWORD up, int times) {
    SetCursorPos(x, y);
    for (int i = 0; i < times; ++i) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = down;
        inputs[1].mi.dwFlags = up;
        SendInput(2, inputs, sizeof(INPUT));
    }
}

void InputRightClick(int x, int y) {
    MouseButtons(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}

void InputDoubleClick(int x, int y) {
    MouseButtons(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}

// Under Wine a Unix program can be started like any other; import reads the X display.
void ScreenshotSave(const std::string& name) {
    const char* folder = std::getenv("KV_SCREENSHOTS");
    const char* display = std::getenv("DISPLAY");
    if (!folder || !*folder || !display)
        return;
    std::string line = "/usr/bin/import -display " + std::string(display) + " -window root " +
                       folder + "/" + name + ".png";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, 10000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}
