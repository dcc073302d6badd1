// The widget framework the kinds are built on; private to the toolkit (and its tests).
//
// One file per kind, each filling its own static WidgetKind on first creation:
//   FrameWidget.cpp, ButtonWidget.cpp, OptionWidget.cpp, TextWidget.cpp, StringWidget.cpp,
//   ListViewWidget.cpp (with its ListView*.cpp parts), EditorWidget.cpp, ImageWidget.cpp.
// The framework is Widget.cpp; WidgetCreate.cpp the steps the plain kinds share;
// BrushCache.cpp the shared colour slots and their brushes; CommonControls.cpp the
// common-control set-up and ThemeDetect.
//
// Creating a widget, in every kind's creator:
//   1. fill the kind's WidgetKind the first time (Kind, RecordSize, its slots);
//   2. HWND control = CreateWindowExA(..., WidgetListParent(), (HMENU)-1 as id, ...);
//      on failure return 0;
//   3. int assigned; WidgetRecord* record = WidgetRecordAcquire(number, &assigned);
//      (a widget already under that number is destroyed here); on nullptr destroy the
//      control and return 0;
//   4. set the kind's own state: record->State = its own struct (string and text:
//      FrontColor = BackColor = -1);
//   5. return WidgetRegister(number, assigned, record, control, &kind).
// A widget ends exactly once, when its control is destroyed (with its window or when its
// number is claimed again); the kind's OnDestroy runs then, and the framework deletes State.
// Records never move once claimed, and a control leads straight to its record
// (WidgetFromControl), so a record pointer stays good for the widget's whole life.
#pragma once

#include "toolkit/Widget.h"

#include <windows.h>

#include <cstdint>
#include <string>

struct WidgetRecord;

struct WidgetKind {
    int Kind;       // a WidgetKindNumber
    int RecordSize; // 148 for every kind
    // The 35 operation slots, in this order; any may be null.
    LRESULT(*OnParentMessage)
    (WidgetRecord* widget, HWND parent, UINT message, WPARAM wParam,
     LPARAM lParam); // NotHandled: default processing
    void (*OnDestroy)(WidgetRecord* widget);
    int (*GetState)(WidgetRecord* widget);
    void (*SetState)(WidgetRecord* widget, int state);
    std::string (*GetText)(WidgetRecord* widget);
    void (*SetText)(WidgetRecord* widget, const char* text); // never nullptr
    int (*AddItem)(WidgetRecord* widget, int position, const char* text, HANDLE image);
    int (*AddItemEx)(WidgetRecord* widget, int position, const char* text, HANDLE image, int flags);
    void (*RemoveItem)(WidgetRecord* widget, int item);
    void (*ClearItems)(WidgetRecord* widget);
    void (*Resize)(WidgetRecord* widget, int x, int y, int width, int height);
    int (*CountItems)(WidgetRecord* widget);
    int (*GetItemState)(WidgetRecord* widget, int item);
    void (*SetItemState)(WidgetRecord* widget, int item, int state);
    std::string (*GetItemText)(WidgetRecord* widget, int item, int column);
    void (*SetItemText)(WidgetRecord* widget, int item, const char* text, int column);
    void (*Unused17)();
    int (*GetX)(WidgetRecord* widget);
    int (*GetY)(WidgetRecord* widget);
    int (*GetWidth)(WidgetRecord* widget);
    int (*GetHeight)(WidgetRecord* widget);
    void (*Unused22)();
    int (*AddColumn)(WidgetRecord* widget, int position, const char* title, int width);
    int (*RemoveColumn)(WidgetRecord* widget, int column);
    int (*GetAttribute)(WidgetRecord* widget, int attribute);
    void (*SetAttribute)(WidgetRecord* widget, int attribute, int value);
    int (*GetItemAttribute)(WidgetRecord* widget, int item, int attribute, int column);
    void (*SetItemAttribute)(WidgetRecord* widget, int item, int attribute, int value, int column);
    void (*SetColor)(WidgetRecord* widget, int which, int color); // 1 front, 2 back, 3 grid
    int (*GetColor)(WidgetRecord* widget, int which);             // -1: none set
    void (*SetItemColor)(WidgetRecord* widget, int item, int which, int color, int column);
    int (*GetItemColor)(WidgetRecord* widget, int item, int which, int column);
    void (*SetItemData)(WidgetRecord* widget, int item, int value);
    int (*GetItemData)(WidgetRecord* widget, int item);
    void (*Unused35)();
};

static_assert(sizeof(WidgetKind) == 2 * sizeof(int) + 35 * sizeof(void (*)()),
              "kinds are filled slot by slot; the order and count are fixed");

// The state a kind keeps of its own, in a struct derived from this one with named members.
// Owned by the record; the framework deletes it when the widget ends.
struct WidgetState {
    virtual ~WidgetState() = default;
};

// One per widget in the widget table; the table hands it out zeroed.
struct WidgetRecord {
    HWND Handle; // the control; owned by its parent window
    const WidgetKind* Class;
    WNDPROC PreviousProc; // the control's procedure before the framework subclassed it
    int BackColor;        // string, text and editor: -1 the control's default
    int FrontColor;       // string, text and editor: -1 the control's default
    HBRUSH BackBrush;     // shared, from BrushAcquire; released by StandardOnDestroy
    WidgetState* State;   // the kind's own state (owned), nullptr for kinds without one
};

// The size every kind gives as its RecordSize; fixed, a number of the kinds' contract.
constexpr int WidgetRecordSize = 148;

HWND WidgetListParent();
HFONT WidgetFont();
bool WidgetOptionGroupOpen();         // for the option kind
void WidgetOptionGroupSet(bool open); // for the option kind

// Claims the record for `number` (AutoNumber: a new one, its number in *assignedNumber);
// destroys the control of a widget already under that number first. nullptr on failure.
WidgetRecord* WidgetRecordAcquire(int number, int* assignedNumber);
// Numbers, subclasses and styles the control. number: as given to WidgetRecordAcquire;
// assignedNumber: what it handed back. Result: the control's handle, or for AutoNumber the
// new number.
intptr_t WidgetRegister(int number, int assignedNumber, WidgetRecord* record, HWND control,
                        const WidgetKind* kind);
WidgetRecord* WidgetLookup(int number); // nullptr when no widget has that number
// The record of a registered control, without a search; nullptr for any other window.
WidgetRecord* WidgetFromControl(HWND control);

// The toolkit window that owns `control` (first ancestor carrying the window number property;
// else the topmost ancestor), and posting a widget event to it.
HWND WidgetOwnerWindow(HWND control);
void WidgetPostEvent(HWND control, int subtype);

// Moves the control; IgnoreValue keeps that coordinate or size as it is.
void WidgetResizeDefault(WidgetRecord* widget, int x, int y, int width, int height);

// Shared SetColor / GetColor / OnDestroy slots of the string and text kinds.
void StandardSetColor(WidgetRecord* widget, int which, int color);
int StandardGetColor(WidgetRecord* widget, int which);
void StandardOnDestroy(WidgetRecord* widget);

// Solid brushes shared by colour and counted; the last release deletes the brush.
HBRUSH BrushAcquire(int color);  // nullptr when none could be made
void BrushRelease(HBRUSH brush); // a brush not from the cache is ignored
int BrushCacheCount(int color);  // users of that colour's brush; 0 when none
void BrushCacheInit();           // by WidgetsInit

// Common-controls version (major << 16 | minor), detected on the first call that can read it;
// 0 while unknown. ThemeVisualStylesActive: themed drawing is on (version 6 or later).
int ThemeDetect();
bool ThemeVisualStylesActive();

// Creates the control, claims the record and registers it. `prepare` (may be null) runs on
// the claimed record before registering: the kind's own fields and its own subclassing.
intptr_t WidgetControlCreate(int number, const WidgetKind* kind, const char* className,
                             const char* text, DWORD style, DWORD extendedStyle, int x, int y,
                             int width, int height,
                             void (*prepare)(WidgetRecord* widget, HWND control));
// The control-colour answer of string and text widgets: their front and back colours, the
// system colour `plainBack` behind a front colour alone; NotHandled when neither is set.
LRESULT WidgetColorsApply(WidgetRecord* widget, HDC dc, int plainBack);
