// Numbered top-level windows and the one window procedure they share.
#include "toolkit/Window.h"

#include "runtime/Registry.h"
#include "runtime/SystemLibrary_win32.h"
#include "toolkit/EventQueue.h"
#include "toolkit/Focus.h"
#include "toolkit/LiveSizing.h"
#include "toolkit/Properties.h"
#include "toolkit/WindowHooks.h"

#include <algorithm>
#include <cstdio>

namespace {

// Records never move once claimed (runtime/Registry.h), so a pointer to one stays good.
struct WindowRecord {
    HWND Handle;             // the top-level window; destroyed by WindowClose
    HACCEL AcceleratorTable; // Tab and Shift+Tab; destroyed by WindowClose
    HACCEL MenuKeyTable;     // the same and the menu keys; nullptr: none; destroyed by WindowClose
};

ObjectTable* windows = nullptr;
HICON defaultIcon = nullptr;     // shared resource, never destroyed
HCURSOR defaultCursor = nullptr; // shared system cursor

ControlMessageHook controlMessageHook = nullptr; // set by the widget framework
void (*endSessionHook)() = nullptr;              // set by the application
std::vector<std::string> filesDropped;

// True while EventWait dispatches a message: what that records is returned when it is done.
bool dispatching = false;
// A wake-up is in the queue: GetMessage returns for it.
bool wakePosted = false;

// A toolkit window keeps its number + 1 in its extra bytes too, set and cleared with the
// property: the window procedure reads it for every message, and a property would cost each
// one a round trip to the Wine server.
constexpr int NumberSlot = 0;

// Messages that wake a timed wait: input, posted, timer, paint, hot-key and sent messages.
const DWORD WakeMask = QS_KEY | QS_MOUSE | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE |
                       QS_HOTKEY | QS_ALLPOSTMESSAGE;

bool MessageTake(MSG& message, int milliseconds) {
    if (milliseconds == -1)
        return GetMessageA(&message, nullptr, 0, 0) != -1; // blocks in the system, no polling
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD))
        return true;
    if (milliseconds == 0)
        return false;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds), WakeMask) ==
        WAIT_TIMEOUT)
        return false;
    return PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD) != 0;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Records an event. One recorded outside EventWait's own dispatch (a message sent from another
// thread while GetMessage waits, a notification sent during an action or a modal loop) also
// wakes the loop, which would otherwise go on waiting with the event in the queue.
void EventRecord(int kind, int window, int object = 0, int subtype = -1) {
    EventQueuePush(kind, window, object, subtype);
    if (!dispatching && !wakePosted)
        wakePosted = PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0) != 0;
}

WindowRecord* WindowLookup(int number) {
    return windows ? static_cast<WindowRecord*>(ObjectLookup(windows, number)) : nullptr;
}

struct ClassName {
    char text[32];
    explicit ClassName(int number) {
        std::snprintf(text, sizeof text, "WindowClass_%ld", static_cast<long>(number));
    }
};

void WindowClassRegister(const ClassName& name) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.cbWndExtra = sizeof(LONG_PTR); // NumberSlot
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hIcon = defaultIcon;
    windowClass.hCursor = defaultCursor;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<intptr_t>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = name.text;
    RegisterClassA(&windowClass); // an existing class of that name is simply reused
}

// Where the window goes; x and y come in as given.
void WindowPosition(unsigned flags, HWND parent, int outerWidth, int outerHeight, int& x, int& y) {
    if (flags & WindowCentered) {
        x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
        return;
    }
    if (flags & WindowCenteredOnParent) {
        HWND reference = parent ? parent : GetActiveWindow();
        RECT area;
        if (reference && GetWindowRect(reference, &area)) {
            x = std::max(0L, area.left + ((area.right - area.left) - outerWidth) / 2);
            y = std::max(0L, area.top + ((area.bottom - area.top) - outerHeight) / 2);
            return;
        }
    }
    // A coordinate that is not given must not put the window 65535 pixels off the screen.
    if (x == IgnoreValue || y == IgnoreValue)
        x = y = CW_USEDEFAULT;
}

// Offers a control's message to its widget kind, through the framework's hook.
LRESULT ControlMessage(HWND control, HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!control || !controlMessageHook)
        return NotHandled;
    return controlMessageHook(control, parent, message, wParam, lParam);
}

// Number of the toolkit window `window` belongs to (itself or an ancestor); -1 if none.
int WindowNumberOf(HWND window) {
    for (HWND current = window; current; current = GetParent(current)) {
        intptr_t property = reinterpret_cast<intptr_t>(GetPropA(current, WindowNumberProperty));
        if (property)
            return static_cast<int>(property - 1);
    }
    return -1;
}

// The accelerators to translate for the active window; nullptr: none.
HACCEL ActiveAccelerators(HWND window) {
    if (FocusTabIsText() || !window)
        return nullptr;
    const intptr_t property = reinterpret_cast<intptr_t>(GetPropA(window, WindowNumberProperty));
    if (!property)
        return nullptr;
    WindowRecord* record = WindowLookup(static_cast<int>(property - 1));
    if (!record)
        return nullptr;
    return record->MenuKeyTable && !FocusIsTyping() ? record->MenuKeyTable
                                                    : record->AcceleratorTable;
}

LRESULT WindowOnCommand(HWND window, int number, WPARAM wParam, LPARAM lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    if (ControlMessage(control, window, WM_COMMAND, wParam, lParam) != NotHandled)
        return 0;
    if (control) {
        int id = static_cast<int>(GetWindowLongPtrA(control, GWLP_ID));
        EventRecord(EventKindWidget, number, id, HIWORD(wParam));
    } else if (HIWORD(wParam) == 0) {
        EventRecord(EventKindMenu, number, static_cast<int>(LOWORD(wParam)));
    } else if (LOWORD(wParam) == CommandTabForward) {
        FocusNavigate(FocusDirection::Forward);
    } else if (LOWORD(wParam) == CommandTabBackward) {
        FocusNavigate(FocusDirection::Backward);
    } else {
        EventRecord(EventKindMenu, number, static_cast<int>(LOWORD(wParam))); // a menu key
    }
    return 0;
}

LRESULT WindowOnNotify(HWND window, WPARAM wParam, LPARAM lParam) {
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header)
        return NotHandled;
    return ControlMessage(header->hwndFrom, window, WM_NOTIFY, wParam, lParam);
}

LRESULT WindowOnSize(int number, WPARAM wParam) {
    if (number == -1)
        return 1;
    if (wParam == SIZE_MINIMIZED)
        return NotHandled;
    EventRecord(EventSizeWindow, number);
    return 0;
}

LRESULT WindowOnCloseOrMove(int number, UINT message) {
    // Never default processing: a close request must not destroy the window.
    if (number != -1)
        EventRecord(static_cast<int>(message), number);
    return 0;
}

LRESULT WindowOnActivate(int number, WPARAM wParam) {
    if (LOWORD(wParam) != WA_INACTIVE && number != -1)
        EventRecord(EventActivateWindow, number);
    return 1;
}

LRESULT WindowOnEraseBackground(HWND window, int number, WPARAM wParam, LPARAM lParam) {
    LRESULT result = DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
    if (number != -1)
        EventRecord(EventRepaint, number);
    return result;
}

// The names are taken at once: the drop's memory is the system's, freed here.
LRESULT WindowOnDropFiles(int number, WPARAM wParam) {
    using Query = UINT(WINAPI*)(HDROP, UINT, LPSTR, UINT);
    using Finish = void(WINAPI*)(HDROP);
    static const Query query = SystemFunction<Query>("shell32.dll", "DragQueryFileA");
    static const Finish finish = SystemFunction<Finish>("shell32.dll", "DragFinish");
    HDROP drop = reinterpret_cast<HDROP>(wParam);
    if (!query || !finish)
        return 0;
    filesDropped.clear();
    const UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string name(query(drop, i, nullptr, 0) + 1, '\0');
        name.resize(query(drop, i, name.data(), UINT(name.size())));
        filesDropped.push_back(name);
    }
    finish(drop);
    if (number != -1 && count)
        EventRecord(EventFilesDropped, number);
    return 0;
}

BOOL CALLBACK SysColorChangeSend(HWND child, LPARAM) {
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT sized = LiveSizing(window, message, wParam, lParam);
    if (sized != NotHandled)
        return sized;
    // A window still being opened, or already being closed, has no number of its own: it
    // belongs to an ancestor's, as the properties say.
    const LONG_PTR own = GetWindowLongPtrA(window, NumberSlot);
    const int number = own ? static_cast<int>(own - 1) : WindowNumberOf(window);
    LRESULT result = NotHandled;
    switch (message) {
    case WM_COMMAND: result = WindowOnCommand(window, number, wParam, lParam); break;
    case WM_NOTIFY: result = WindowOnNotify(window, wParam, lParam); break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        result = ControlMessage(reinterpret_cast<HWND>(lParam), window, message, wParam, lParam);
        break;
    case WidgetEventMessage:
        EventRecord(EventKindWidget, number, static_cast<int>(wParam), static_cast<int>(lParam));
        result = 0;
        break;
    case WM_CLOSE:
    case WM_MOVE: result = WindowOnCloseOrMove(number, message); break;
    case WM_SIZE: result = WindowOnSize(number, wParam); break;
    case WM_ACTIVATE: result = WindowOnActivate(number, wParam); break;
    case WM_ERASEBKGND: return WindowOnEraseBackground(window, number, wParam, lParam);
    case WM_SYSCOLORCHANGE: EnumChildWindows(window, SysColorChangeSend, 0); break;
    case WM_DROPFILES: result = WindowOnDropFiles(number, wParam); break;
    case WM_ENDSESSION:
        if (wParam && endSessionHook)
            endSessionHook();
        result = 0;
        break;
    default: break;
    }
    return result == NotHandled ? DefWindowProcA(window, message, wParam, lParam) : result;
}

} // namespace

void WindowsInit() {
    if (windows)
        return;
    windows = ObjectTableCreate(sizeof(WindowRecord), 16, WindowClose);
    defaultIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    defaultCursor = LoadCursorA(nullptr, IDC_ARROW);
    EventQueueInit();
    LiveSizingInit();
}

intptr_t WindowOpen(int number, int x, int y, int width, int height, const char* title,
                    unsigned flags, HWND parent) {
    if (!windows)
        return 0;
    int assigned = number;
    // An open window under this number is closed here, by the table's release hook.
    WindowRecord* record = static_cast<WindowRecord*>(ObjectAcquire(windows, number, &assigned));
    if (!record)
        return 0;
    const ClassName name(assigned);
    WindowClassRegister(name);

    const unsigned toolkitBits = WindowCentered | WindowCenteredOnParent | WindowInvisible;
    DWORD style = flags & ~toolkitBits;
    if ((flags & ~toolkitBits) == 0)
        style |= WS_CAPTION;
    const bool visible = (flags & WindowInvisible) == 0;

    RECT frame = {0, 0, width, height};
    AdjustWindowRect(&frame, style, FALSE);
    int outerWidth = frame.right - frame.left;
    int outerHeight = frame.bottom - frame.top;
    if (flags & WindowCentered) {
        outerWidth = std::min(outerWidth, GetSystemMetrics(SM_CXSCREEN));
        outerHeight = std::min(outerHeight, GetSystemMetrics(SM_CYSCREEN));
    }
    WindowPosition(flags, parent, outerWidth, outerHeight, x, y);

    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND window = CreateWindowExA(0, name.text, title ? title : "", style, x, y, outerWidth,
                                  outerHeight, parent, nullptr, instance, nullptr);
    if (!window) {
        UnregisterClassA(name.text, instance);
        ObjectRelease(windows, assigned);
        return 0;
    }
    record->Handle = window;
    SetPropA(window, WindowNumberProperty,
             reinterpret_cast<HANDLE>(static_cast<intptr_t>(assigned) + 1));
    SetWindowLongPtrA(window, NumberSlot, static_cast<LONG_PTR>(assigned) + 1);
    if (visible)
        ShowWindow(window, (flags & WS_MAXIMIZE)   ? SW_MAXIMIZE
                           : (flags & WS_MINIMIZE) ? SW_SHOWMINIMIZED
                                                   : SW_SHOWNORMAL);
    ACCEL keys[2] = {{FVIRTKEY | FNOINVERT, VK_TAB, CommandTabForward},
                     {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, CommandTabBackward}};
    // The record stays where it is; showing may only have closed the window again.
    if (record->Handle == window)
        record->AcceleratorTable = CreateAcceleratorTableA(keys, 2);
    return number == AutoNumber ? assigned : reinterpret_cast<intptr_t>(window);
}

void WindowClose(int number) {
    WindowRecord* record = WindowLookup(number);
    if (!record)
        return;
    HWND window = record->Handle;
    HACCEL accelerators = record->AcceleratorTable, menuKeys = record->MenuKeyTable;
    // Hand the activation back to the owner rather than to some other program.
    if (HWND owner = GetWindow(window, GW_OWNER))
        SetActiveWindow(owner);
    SetWindowLongPtrA(window, NumberSlot, 0);
    RemovePropA(window, WindowNumberProperty);
    DestroyWindow(window); // its widgets end with it
    UnregisterClassA(ClassName(number).text, GetModuleHandleA(nullptr));
    if (accelerators)
        DestroyAcceleratorTable(accelerators);
    if (menuKeys)
        DestroyAcceleratorTable(menuKeys);
    ObjectRelease(windows, number);
}

void WindowCloseAll() {
    ObjectCloseAll(windows, WindowClose);
}

HWND WindowNativeHandle(int number) {
    WindowRecord* record = WindowLookup(number);
    return record ? record->Handle : nullptr;
}

int WindowClientWidth(int number) {
    RECT area;
    WindowRecord* record = WindowLookup(number);
    if (!record || !GetClientRect(record->Handle, &area))
        return 0;
    return area.right - area.left;
}

void WindowActivate(int number) {
    if (WindowRecord* record = WindowLookup(number))
        SetActiveWindow(record->Handle);
}

void WindowShow(int number) {
    WindowRecord* record = WindowLookup(number);
    if (!record)
        return;
    // A menu bar built while the window was hidden has not resized the frame yet.
    if (GetMenu(record->Handle))
        DrawMenuBar(record->Handle);
    ShowWindow(record->Handle, SW_SHOWNORMAL);
}

void WindowMenuKeyAdd(int number, int virtualKey, int item) {
    WindowRecord* record = WindowLookup(number);
    if (!record || !record->AcceleratorTable)
        return;
    HACCEL from = record->MenuKeyTable ? record->MenuKeyTable : record->AcceleratorTable;
    std::vector<ACCEL> keys(size_t(CopyAcceleratorTableA(from, nullptr, 0)));
    CopyAcceleratorTableA(from, keys.data(), int(keys.size()));
    keys.push_back({FVIRTKEY | FCONTROL, WORD(virtualKey), WORD(item)});
    if (HACCEL table = CreateAcceleratorTableA(keys.data(), int(keys.size()))) {
        if (record->MenuKeyTable)
            DestroyAcceleratorTable(record->MenuKeyTable);
        record->MenuKeyTable = table;
    }
}

void WindowFilesAccept(int number) {
    if (WindowRecord* record = WindowLookup(number))
        SetWindowLongPtrA(record->Handle, GWL_EXSTYLE,
                          GetWindowLongPtrA(record->Handle, GWL_EXSTYLE) | WS_EX_ACCEPTFILES);
}

const std::vector<std::string>& WindowFilesDropped() {
    return filesDropped;
}

void WindowEndSessionHookSet(void (*hook)()) {
    endSessionHook = hook;
}

void WindowControlMessageHookSet(ControlMessageHook hook) {
    controlMessageHook = hook;
}

static bool WindowIsOpen(int number) {
    return WindowLookup(number) != nullptr;
}

int EventWaitTimeout(int milliseconds) {
    if (!windows)
        return EventNone; // nothing to wait for before WindowsInit
    wakePosted = false;   // whatever is recorded from here on is seen before the next wait
    for (;;) {
        if (const int queued = EventQueueTake(WindowIsOpen))
            return queued;
        MSG message;
        if (!MessageTake(message, milliseconds)) { // sent messages handled here may record events
            if (const int queued = EventQueueTake(WindowIsOpen))
                return queued;
            EventCurrentSetMessage(EventNone);
            return EventNone;
        }
        // Only key messages can be accelerators, and finding the table asks the window server.
        const UINT kind = message.message;
        const bool key =
            kind == WM_KEYDOWN || kind == WM_SYSKEYDOWN || kind == WM_CHAR || kind == WM_SYSCHAR;
        HWND active = key ? GetActiveWindow() : nullptr;
        HACCEL accelerators = key ? ActiveAccelerators(active) : nullptr;
        dispatching = true;
        if (!accelerators || !TranslateAcceleratorA(active, accelerators, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        dispatching = false;
        // What the wait and the dispatch recorded, oldest first; the message's own number
        // only when they recorded nothing. A wake-up whose event was taken already is no
        // message of the program's.
        if (const int queued = EventQueueTake(WindowIsOpen))
            return queued;
        if (message.message == WM_NULL && !message.hwnd)
            continue;
        EventCurrentSetMessage(static_cast<int>(message.message));
        return static_cast<int>(message.message);
    }
}

int EventWait() {
    return EventWaitTimeout(-1);
}

void MessagesFlush() {
    const void* mark = EventQueueMark();
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    EventQueueDropAfter(mark);
}
