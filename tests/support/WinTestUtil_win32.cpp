#include "WinTestUtil_win32.h"

#include "runtime/Memory.h"
#include "toolkit/Gdi.h"

#include <dlgs.h>

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
    return PumpUntil(
        [window] { return GetForegroundWindow() == window && GetActiveWindow() == window; });
}

HWND WidgetTestWindow(int number, int width, int height) {
    HWND window = TestWindowOpen(number, 0, 0, width, height, 0);
    if (window && WidgetListBegin(window))
        WindowForegroundMake(window);
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

void ClickAt(HWND window, POINT client, int times, bool right) {
    if (client.x < 0) {
        RECT r = {};
        GetClientRect(window, &r);
        client = {r.right / 2, r.bottom / 2};
    }
    ClientToScreen(window, &client);
    SetCursorPos(client.x, client.y);
    // Each button event carries its own screen position: a program just started under the
    // resting pointer may still report where the pointer was, and send the click there.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs(2 * static_cast<size_t>(times));
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = (client.x * 65536 + width - 1) / width;
        inputs[i].mi.dy = (client.y * 65536 + height - 1) / height;
        const DWORD button = i % 2 ? (right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)
                                   : (right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool WaitUntil(const std::function<bool()>& condition, int milliseconds) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(20))
        if (GetTickCount() - start > static_cast<DWORD>(milliseconds))
            return condition();
    return true;
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

bool PumpUntil(const std::function<bool()>& done, int milliseconds) {
    Pump(done, milliseconds);
    return done();
}

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

COLORREF ClientPixel(HWND window, int x, int y) {
    UpdateWindow(window);
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return GetPixel(WindowDc(nullptr).Get(), point.x, point.y);
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

HWND WindowOfProcess(DWORD process, const char* title, const char* className) {
    char kind[16] = {};
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, title));)
        if (ProcessOf(window) == process && IsWindowVisible(window) &&
            (className ||
             (GetClassNameA(window, kind, sizeof kind), kind != std::string("#32770"))))
            return window;
    return nullptr;
}

// The edit control of the name field: inside the combo box of the explorer-style dialog,
// or the plain edit of the older one.
static HWND FileNameField(HWND dialog) {
    HWND combo = GetDlgItem(dialog, cmb13);
    HWND edit = combo ? FindWindowExA(combo, nullptr, "Edit", nullptr) : nullptr;
    return edit ? edit : combo ? combo : GetDlgItem(dialog, edt1);
}

bool DialogSetFileName(HWND dialog, const char* name) {
    HWND field = FileNameField(dialog);
    return field && (SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name)), true);
}

std::string DialogGetFileName(HWND dialog) {
    char text[1024] = {};
    if (HWND field = FileNameField(dialog))
        SendMessageA(field, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void DialogPress(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string DialogStaticTexts(HWND dialog) {
    std::string texts;
    for (HWND child = nullptr; (child = FindWindowExA(dialog, child, "Static", nullptr));) {
        char text[1024] = {};
        if (GetWindowTextA(child, text, sizeof text))
            texts += std::string(text) + '\n';
    }
    return texts;
}

DialogDriver::DialogDriver(const char* title, std::function<void(HWND)> act) {
    thread_ = std::thread([this, name = std::string(title), act = std::move(act)] {
        HWND dialog = nullptr;
        if (!WaitUntil(
                [&] {
                    return (dialog =
                                WindowOfProcess(GetCurrentProcessId(), name.c_str(), "#32770"));
                },
                20000))
            return;
        act(dialog);
        if (!WaitUntil([dialog] { return !IsWindow(dialog); }, 5000))
            DialogPress(dialog, IDCANCEL);
    });
}
