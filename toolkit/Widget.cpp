// The widget framework: numbering, subclassing, the single end of every widget, and the
// generic operations that dispatch through a kind's slots or fall back to a default.
#include "toolkit/WidgetFramework.h"

#include "runtime/Registry.h"
#include "toolkit/Properties.h"
#include "toolkit/WindowHooks.h"

#include <commctrl.h>

namespace {

struct WidgetListState {
    HWND Parent;          // new widgets become its children
    bool OptionGroupOpen; // the option created last may be joined by the next one
    HFONT Font;           // stock font, never deleted
};

ObjectTable* widgets = nullptr;
WidgetListState* widgetList = nullptr;

LRESULT CALLBACK WidgetWindowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// The one end of every widget: its kind lets go of what it holds, its state goes, and the
// control no longer leads to the record, which is released.
void WidgetEnd(WidgetRecord* widget, int number) {
    if (widget->Class && widget->Class->OnDestroy)
        widget->Class->OnDestroy(widget);
    delete widget->State;
    widget->State = nullptr;
    RemovePropA(widget->Handle, WidgetNumberProperty);
    ObjectRelease(widgets, number);
}

// Reusing a number: destroying the control ends the widget (WidgetWindowProc).
void WidgetReleaseHook(int number) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget)
        return;
    DestroyWindow(widget->Handle);
    // A control that could not be destroyed must not keep the record it is about to lose;
    // its kind still lets go of what it holds.
    if (WidgetLookup(number) == widget)
        WidgetEnd(widget, number);
}

// What the window procedure offers a control's kind (WindowHooks.h).
LRESULT WidgetControlMessage(HWND control, HWND parent, UINT message, WPARAM wParam,
                             LPARAM lParam) {
    // Foreign controls, even those that carry a widget's id, lead to no record.
    WidgetRecord* widget = WidgetFromControl(control);
    if (!widget || widget->Handle != control || !widget->Class || !widget->Class->OnParentMessage)
        return NotHandled;
    return widget->Class->OnParentMessage(widget, parent, message, wParam, lParam);
}

} // namespace

void WidgetsInit() {
    if (widgets)
        return;
    BrushCacheInit();
    widgetList = static_cast<WidgetListState*>(LibraryStateCreate(sizeof(WidgetListState)));
    if (widgetList)
        widgetList->Font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    widgets = ObjectTableCreate(sizeof(WidgetRecord), 50, WidgetReleaseHook);
    WindowControlMessageHookSet(WidgetControlMessage);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_DATE_CLASSES |
                                                          ICC_USEREX_CLASSES |
                                                          ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&controls);
}

HWND WidgetListBegin(HWND window) {
    if (widgetList) {
        widgetList->Parent = window;
        widgetList->OptionGroupOpen = false;
    }
    return window;
}

HWND WidgetListParent() {
    return widgetList ? widgetList->Parent : nullptr;
}

HFONT WidgetFont() {
    return widgetList ? widgetList->Font : nullptr;
}

bool WidgetOptionGroupOpen() {
    return widgetList && widgetList->OptionGroupOpen;
}

void WidgetOptionGroupSet(bool open) {
    if (widgetList)
        widgetList->OptionGroupOpen = open;
}

WidgetRecord* WidgetLookup(int number) {
    return widgets ? static_cast<WidgetRecord*>(ObjectLookup(widgets, number)) : nullptr;
}

// Through the number in the control's id, which reads in-process: every message to every
// control asks, and a window property would cost each one a round trip to the Wine server.
WidgetRecord* WidgetFromControl(HWND control) {
    if (!control)
        return nullptr;
    WidgetRecord* widget = WidgetLookup(static_cast<int>(GetWindowLongPtrA(control, GWLP_ID)));
    return widget && widget->Handle == control ? widget : nullptr;
}

WidgetRecord* WidgetRecordAcquire(int number, int* assignedNumber) {
    if (!widgets)
        return nullptr;
    return static_cast<WidgetRecord*>(ObjectAcquire(widgets, number, assignedNumber));
}

intptr_t WidgetRegister(int number, int assignedNumber, WidgetRecord* record, HWND control,
                        const WidgetKind* kind) {
    record->Handle = control;
    record->Class = kind;
    // A kind that subclasses the control itself has done so already, so its procedure
    // runs between the framework's and the control's own.
    record->PreviousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WidgetWindowProc)));
    SetWindowLongPtrA(control, GWLP_ID, assignedNumber);
    SetPropA(control, WidgetNumberProperty,
             reinterpret_cast<HANDLE>(static_cast<intptr_t>(assignedNumber)));
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(WidgetFont()), TRUE);
    WidgetOptionGroupSet(false);
    return number == AutoNumber ? assignedNumber : reinterpret_cast<intptr_t>(control);
}

namespace {

// The keys a window's loop may act on; every other key stays the control's own. The
// context-menu key and Shift+F10 arrive as a context menu without a mouse position.
int WidgetKeySubtype(UINT message, WPARAM key, LPARAM lParam) {
    if (message == WM_CONTEXTMENU)
        return LOWORD(lParam) == 0xFFFF && HIWORD(lParam) == 0xFFFF ? SubtypeKey | VK_APPS : 0;
    if (message != WM_KEYDOWN)
        return 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    switch (key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_DELETE: return control ? 0 : SubtypeKey | int(key);
    case 'C': return control ? SubtypeKey | SubtypeKeyControl | 'C' : 0;
    }
    return 0;
}

LRESULT CALLBACK WidgetWindowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    WidgetRecord* widget = WidgetFromControl(control);
    if (!widget || widget->Handle != control)
        return DefWindowProcA(control, message, wParam, lParam);
    if (const int key = WidgetKeySubtype(message, wParam, lParam))
        WidgetPostEvent(control, key);
    const LRESULT result = CallWindowProcA(widget->PreviousProc, control, message, wParam, lParam);
    // The record has not moved; the message may only have ended the widget already.
    if (message == WM_NCDESTROY && WidgetFromControl(control) == widget) {
        const int number = static_cast<int>(GetWindowLongPtrA(control, GWLP_ID));
        SetWindowLongPtrA(control, GWLP_ID, -1);
        WidgetEnd(widget, number);
    }
    return result;
}

} // namespace

HWND WidgetOwnerWindow(HWND control) {
    HWND current = control;
    while (GetParent(current) && !GetPropA(current, WindowNumberProperty))
        current = GetParent(current);
    return current;
}

void WidgetPostEvent(HWND control, int subtype) {
    PostMessageA(WidgetOwnerWindow(control), WidgetEventMessage,
                 static_cast<WPARAM>(GetWindowLongPtrA(control, GWLP_ID)), subtype);
}

std::string WidgetGetText(int number) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget)
        return std::string();
    if (widget->Class && widget->Class->GetText)
        return widget->Class->GetText(widget);
    // The length is read first, so a text of any length comes back whole.
    const int length = GetWindowTextLengthA(widget->Handle);
    if (length <= 0)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(widget->Handle, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

void WidgetSetText(int number, const char* text) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget)
        return;
    if (!text)
        text = "";
    if (widget->Class && widget->Class->SetText)
        widget->Class->SetText(widget, text);
    else
        SetWindowTextA(widget->Handle, text);
}

int WidgetGetState(int number) {
    WidgetRecord* widget = WidgetLookup(number);
    return widget && widget->Class && widget->Class->GetState ? widget->Class->GetState(widget) : 0;
}

void WidgetSetState(int number, int state) {
    WidgetRecord* widget = WidgetLookup(number);
    if (widget && widget->Class && widget->Class->SetState)
        widget->Class->SetState(widget, state);
}

int WidgetCountItems(int number) {
    WidgetRecord* widget = WidgetLookup(number);
    return widget && widget->Class && widget->Class->CountItems ? widget->Class->CountItems(widget)
                                                                : 0;
}

int WidgetAddItem(int number, int position, const char* text) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || !widget->Class)
        return 0;
    if (!text)
        text = "";
    if (widget->Class->AddItemEx)
        return widget->Class->AddItemEx(widget, position, text, nullptr, 0);
    if (widget->Class->AddItem)
        return widget->Class->AddItem(widget, position, text, nullptr);
    return 0;
}

std::string WidgetGetItemText(int number, int item, int column) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || !widget->Class || !widget->Class->GetItemText)
        return std::string();
    return widget->Class->GetItemText(widget, item, column);
}

void WidgetRemoveItem(int number, int item) {
    WidgetRecord* widget = WidgetLookup(number);
    if (widget && widget->Class && widget->Class->RemoveItem)
        widget->Class->RemoveItem(widget, item);
}

void WidgetRemoveAllItems(int number) {
    WidgetRecord* widget = WidgetLookup(number);
    if (widget && widget->Class && widget->Class->ClearItems)
        widget->Class->ClearItems(widget);
}

void WidgetSetColor(int number, int which, int color) {
    WidgetRecord* widget = WidgetLookup(number);
    if (widget && widget->Class && widget->Class->SetColor)
        widget->Class->SetColor(widget, which, color);
}

int WidgetAddColumn(int number, int position, const char* title, int width) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || !widget->Class || !widget->Class->AddColumn)
        return 0;
    return widget->Class->AddColumn(widget, position, title ? title : "", width);
}

void WidgetSetItemAttribute(int number, int item, int attribute, int value, int column) {
    WidgetRecord* widget = WidgetLookup(number);
    if (widget && widget->Class && widget->Class->SetItemAttribute)
        widget->Class->SetItemAttribute(widget, item, attribute, value, column);
}

void WidgetResize(int number, int x, int y, int width, int height) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget)
        return;
    if (widget->Class && widget->Class->Resize)
        widget->Class->Resize(widget, x, y, width, height);
    else
        WidgetResizeDefault(widget, x, y, width, height);
}

void WidgetResizeDefault(WidgetRecord* widget, int x, int y, int width, int height) {
    const WidgetKind* kind = widget->Class;
    RECT area = {};
    if (x == IgnoreValue || y == IgnoreValue || width == IgnoreValue || height == IgnoreValue) {
        GetWindowRect(widget->Handle, &area);
        MapWindowPoints(nullptr, GetParent(widget->Handle), reinterpret_cast<POINT*>(&area), 2);
    }
    if (x == IgnoreValue)
        x = kind && kind->GetX ? kind->GetX(widget) : area.left;
    if (y == IgnoreValue)
        y = kind && kind->GetY ? kind->GetY(widget) : area.top;
    if (width == IgnoreValue)
        width = kind && kind->GetWidth ? kind->GetWidth(widget) : area.right - area.left;
    if (height == IgnoreValue)
        height = kind && kind->GetHeight ? kind->GetHeight(widget) : area.bottom - area.top;
    MoveWindow(widget->Handle, x, y, width, height, TRUE);
    if (kind && kind->Kind == WidgetKindButton) // buttons do not repaint themselves after a move
        RedrawWindow(widget->Handle, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE);
}
