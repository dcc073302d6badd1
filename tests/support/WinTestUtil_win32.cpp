#include "WinTestUtil_win32.h"

#include "runtime/Memory.h"

#include <algorithm>

void ToolkitTestInit() {
    static bool done = false;
    if (done)
        return;
    done = true;
    MemoryInit();
    WindowsInit();
    WidgetsInit();
    CommonControlsInit();
}

void WindowForegroundMake(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
    EventsPump(50);
}

void InputKey(WORD key, bool shift, bool control) {
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD code, bool down, bool wanted) {
        if (!wanted)
            return;
        inputs.emplace_back();
        inputs.back().type = INPUT_KEYBOARD;
        inputs.back().ki.wVk = code;
        inputs.back().ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    };
    add(VK_CONTROL, true, control);
    add(VK_SHIFT, true, shift);
    add(key, true, true);
    add(key, false, true);
    add(VK_SHIFT, false, shift);
    add(VK_CONTROL, false, control);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void InputClick(int x, int y) {
    SetCursorPos(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

std::vector<int> EventsPump(int milliseconds) {
    std::vector<int> events;
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - GetTickCount()) > 0) {
        const int kind = EventWaitTimeout(static_cast<int>(end - GetTickCount()));
        if (kind)
            events.push_back(kind);
    }
    for (int kind : EventsDrain())
        events.push_back(kind);
    return events;
}

std::vector<int> EventsDrain() {
    std::vector<int> events;
    for (int guard = 0; guard < 10000; ++guard) {
        const int kind = EventWaitTimeout(0);
        if (!kind)
            break;
        events.push_back(kind);
    }
    return events;
}

bool EventsHave(const std::vector<int>& events, int kind) {
    return std::find(events.begin(), events.end(), kind) != events.end();
}

intptr_t TestControlCreate(int number, const WidgetKind* kind, const char* className, DWORD style,
                           int x, int y, int width, int height, const char* text) {
    HWND control =
        CreateWindowExA(0, className, text, style, x, y, width, height, WidgetListParent(),
                        reinterpret_cast<HMENU>(-1), GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return 0;
    int assigned = number;
    WidgetRecord* record = WidgetRecordAcquire(number, &assigned);
    if (!record) {
        DestroyWindow(control);
        return 0;
    }
    record->FrontColor = record->BackColor = -1;
    return WidgetRegister(number, assigned, record, control, kind);
}
