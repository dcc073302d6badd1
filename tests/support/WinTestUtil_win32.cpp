#include "WinTestUtil_win32.h"

#include "runtime/Memory.h"
#include "toolkit/Gdi.h"

#include <algorithm>

void ToolkitTestInit() {
    [[maybe_unused]] static const bool done =
        (MemoryInit(), WindowsInit(), WidgetsInit(), CommonControlsInit(), true);
}

HWND TestWindowOpen(int number, int x, int y, int width, int height, unsigned flags) {
    ToolkitTestInit();
    return reinterpret_cast<HWND>(WindowOpen(number, x, y, width, height, "test", flags, nullptr));
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
    HWND window = TestWindowOpen(number, 0, 0, width, height, 0);
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

void InputClick(int x, int y) {
    SetCursorPos(x, y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
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

// Every event until `done` holds (or the time-out), then every waiting one; the widget events
// also as (number, subtype) into `widgets` when given.
std::vector<int> Pump(const std::function<bool()>& done, int milliseconds,
                      WidgetEvents* widgets = nullptr) {
    std::vector<int> events;
    const auto seen = [&](int kind) {
        events.push_back(kind);
        if (widgets && kind == EventKindWidget)
            widgets->emplace_back(EventWidgetId(), EventSubtype());
    };
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    while (!done() && static_cast<int>(end - GetTickCount()) > 0)
        if (const int kind = EventWaitTimeout(10))
            seen(kind);
    for (int kind; events.size() < 100000 && (kind = EventWaitTimeout(0)) != EventNone;)
        seen(kind);
    return events;
}

} // namespace

std::vector<int> EventsOfInput() {
    return Pump([] { return HIWORD(GetQueueStatus(QS_INPUT)) == 0; }, 5000);
}

std::vector<int> EventsDrain() {
    return Pump([] { return true; }, 0);
}

bool EventsHave(const std::vector<int>& events, int kind) {
    return std::find(events.begin(), events.end(), kind) != events.end();
}

WidgetEvents WidgetEventsUntil(size_t count, int milliseconds) {
    WidgetEvents events;
    Pump([&events, count] { return events.size() >= count; }, milliseconds, &events);
    return events;
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

HWND TestControlCreate(int number, const WidgetKind* kind, const char* className, DWORD style,
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
        return nullptr;
    }
    record->FrontColor = record->BackColor = -1;
    WidgetRegister(number, assigned, record, control, kind);
    return control;
}
