#include "WinTestUtil_win32.h"

#include "runtime/Memory.h"
#include "toolkit/Gdi.h"

#include <algorithm>

void ToolkitTestInit() {
    [[maybe_unused]] static const bool done =
        (MemoryInit(), WindowsInit(), WidgetsInit(), CommonControlsInit(), true);
}

bool WindowForegroundMake(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
    return PumpUntil([window] {
               return GetForegroundWindow() == window && GetActiveWindow() == window;
           }) &&
           (EventsDrain(), true);
}

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

void InputKey(WORD key, bool shift, bool control) {
    const WORD keys[] = {WORD(control ? VK_CONTROL : 0), WORD(shift ? VK_SHIFT : 0), key};
    std::vector<INPUT> inputs;
    for (int i = 0; i < 6; ++i) // downs in order, then ups in reverse
        if (const WORD code = keys[i < 3 ? i : 5 - i]) {
            inputs.emplace_back();
            inputs.back().type = INPUT_KEYBOARD;
            inputs.back().ki.wVk = code;
            inputs.back().ki.dwFlags = i < 3 ? 0 : KEYEVENTF_KEYUP;
        }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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

void InputClick(int x, int y) {
    MouseButtons(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1);
}
void InputRightClick(int x, int y) {
    MouseButtons(x, y, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1);
}
void InputDoubleClick(int x, int y) {
    MouseButtons(x, y, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2);
}

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!done()) {
        const int left = static_cast<int>(end - GetTickCount());
        if (left <= 0)
            return false;
        EventWaitTimeout(left < 10 ? left : 10);
    }
    return true;
}

bool EventWaitFor(int kind, int milliseconds) {
    bool seen = false;
    PumpUntil(
        [&seen, kind] {
            for (int next; !seen && (next = EventWaitTimeout(0)) != EventNone;)
                seen = next == kind;
            return seen;
        },
        milliseconds);
    return seen;
}

namespace {

bool InputWaiting() {
    return HIWORD(GetQueueStatus(QS_INPUT)) != 0;
}

// Hands `seen` every event until `done` holds (or the time-out), then every waiting one.
template <typename Seen> void Pump(const std::function<bool()>& done, int milliseconds, Seen seen) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!done() && static_cast<int>(end - GetTickCount()) > 0)
        if (const int kind = EventWaitTimeout(10))
            seen(kind);
    for (int guard = 0; guard < 100000; ++guard) {
        const int kind = EventWaitTimeout(0);
        if (!kind)
            break;
        seen(kind);
    }
}

void WidgetEventAdd(WidgetEvents& events, int kind) {
    if (kind == EventKindWidget)
        events.emplace_back(EventWidgetId(), EventSubtype());
}

} // namespace

std::vector<int> EventsOfInput() {
    std::vector<int> events;
    Pump([] { return !InputWaiting(); }, 5000, [&events](int kind) { events.push_back(kind); });
    return events;
}

std::vector<int> EventsDrain() {
    std::vector<int> events;
    Pump([] { return true; }, 0, [&events](int kind) { events.push_back(kind); });
    return events;
}

bool EventsHave(const std::vector<int>& events, int kind) {
    return std::find(events.begin(), events.end(), kind) != events.end();
}

WidgetEvents WidgetEventsOfInput() {
    WidgetEvents events;
    Pump([] { return !InputWaiting(); }, 5000,
         [&events](int kind) { WidgetEventAdd(events, kind); });
    return events;
}

WidgetEvents WidgetEventsUntil(size_t count, int milliseconds) {
    WidgetEvents events;
    Pump([&events, count] { return events.size() >= count; }, milliseconds,
         [&events](int kind) { WidgetEventAdd(events, kind); });
    return events;
}

void DoubleClickTimePass() {
    const DWORD end = GetTickCount() + GetDoubleClickTime() + 50;
    PumpUntil([end] { return static_cast<int>(end - GetTickCount()) <= 0; },
              static_cast<int>(GetDoubleClickTime()) + 1000);
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return point;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    UpdateWindow(window);
    const POINT point = ClientToScreenPoint(window, x, y);
    return GetPixel(WindowDc(nullptr).Get(), point.x, point.y);
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
