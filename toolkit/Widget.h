// Widgets: the application's numbered controls, all reached through the generic operations
// below, which call the operation slots of the widget's kind or fall back to a default.
//
// One file per kind, each filling its own static WidgetKind on first creation:
//   FrameWidget.cpp (7), ButtonWidget.cpp (1), OptionWidget.cpp (5), TextWidget.cpp (3),
//   StringWidget.cpp (2), ListViewWidget.cpp (12), EditorWidget.cpp (22), ImageWidget.cpp (9).
// Menus (Menu.cpp), the status bar (StatusBar.cpp), images (Image.cpp) and the dialogs
// (Dialogs.cpp) are not widgets.
// The framework is Widget.cpp; BrushCache.cpp holds the shared colour slots and their brushes;
// CommonControls.cpp the common-control set-up and ThemeDetect.
//
// Creating a widget, in every kind's creator:
//   1. fill the kind's WidgetKind the first time (Kind, RecordSize 148, its slots);
//   2. HWND control = CreateWindowExA(..., WidgetListParent(), (HMENU)-1 as id, ...);
//      on failure return 0;
//   3. int assigned; WidgetRecord* record = WidgetRecordAcquire(number, &assigned);
//      (a widget already under that number is destroyed here); on nullptr destroy the
//      control and return 0;
//   4. set the kind's own record fields (string and text: FrontColor = BackColor = -1);
//   5. return WidgetRegister(number, assigned, record, control, &kind).
// A widget ends exactly once, when its control is destroyed (with its window or when its
// number is claimed again); the kind's OnDestroy runs then.
#pragma once

#include "toolkit/Window.h"

#include <windows.h>

#include <cstdint>
#include <string>

struct WidgetRecord;

// Kind numbers (WidgetKind::Kind). Fixed: they are the numbers the product has always given
// its kinds, and code outside the toolkit may compare with them.
enum WidgetKindNumber : int {
    WidgetKindButton = 1,
    WidgetKindString = 2,
    WidgetKindText = 3,
    WidgetKindOption = 5,
    WidgetKindFrame = 7,
    WidgetKindImage = 9,
    WidgetKindListView = 12,
    WidgetKindEditor = 22,
};

// Which colour WidgetSetColor and the colour slots mean. Fixed: callers pass these numbers.
enum WidgetColorSelector : int {
    WidgetColorFront = 1,
    WidgetColorBack = 2,
    WidgetColorGrid = 3, // list views: the grid lines
};

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
    void (*SetColor)(WidgetRecord* widget, int which, int colour); // 1 front, 2 back, 3 grid
    int (*GetColor)(WidgetRecord* widget, int which);              // -1: none set
    void (*SetItemColor)(WidgetRecord* widget, int item, int which, int colour, int column);
    int (*GetItemColor)(WidgetRecord* widget, int item, int which, int column);
    void (*SetItemData)(WidgetRecord* widget, int item, int value);
    int (*GetItemData)(WidgetRecord* widget, int item);
    void (*Unused35)();
};

static_assert(sizeof(WidgetKind) == 2 * sizeof(int) + 35 * sizeof(void (*)()),
              "kinds are filled slot by slot; the order and count are fixed");

// One per widget in the widget table; the table hands it out zeroed.
struct WidgetRecord {
    HWND Handle; // the control; owned by its parent window
    const WidgetKind* Class;
    intptr_t KindWord;    // belongs to the kind
    WNDPROC PreviousProc; // the control's procedure before the framework subclassed it
    int BackColor;        // -1: the control's default (string and text kinds)
    int FrontColor;       // -1: the control's default (string and text kinds)
    HBRUSH BackBrush;     // shared, from BrushAcquire; released by StandardOnDestroy
    intptr_t KindWord2;   // belongs to the kind
};

constexpr int WidgetRecordSize = 148;

// Once at start-up: common controls and COM (CommonControlsInit), the widget table, font and
// brush cache (WidgetsInit).
void CommonControlsInit();
void WidgetsInit();

// New widgets become children of `window`; returns `window`. Also ends an option group.
HWND WidgetListBegin(HWND window);
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
LRESULT CALLBACK WidgetWindowProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
WidgetRecord* WidgetLookup(int number); // nullptr when no widget has that number

// The toolkit window that owns `control` (first ancestor carrying "GT_WindowID"; else the
// topmost ancestor), and posting a widget event to it.
HWND WidgetOwnerWindow(HWND control);
void WidgetPostEvent(HWND control, int subtype);

// Generic operations. An unknown number gives 0 or the empty text and changes nothing.
// Texts in: nullptr is the empty text.
std::string WidgetGetText(int number);
void WidgetSetText(int number, const char* text);
int WidgetGetState(int number);
void WidgetSetState(int number, int state);
int WidgetCountItems(int number);
int WidgetAddItem(int number, int position, const char* text);
std::string WidgetGetItemText(int number, int item, int column);
void WidgetRemoveItem(int number, int item);
void WidgetRemoveAllItems(int number);
void WidgetSetColor(int number, int which, int colour);
int WidgetAddColumn(int number, int position, const char* title, int width);
void WidgetResize(int number, int x, int y, int width, int height);
// Moves the control; IgnoreValue keeps that coordinate or size as it is.
void WidgetResizeDefault(WidgetRecord* widget, int x, int y, int width, int height);

// Shared SetColor / GetColor / OnDestroy slots of the string and text kinds.
void StandardSetColor(WidgetRecord* widget, int which, int colour);
int StandardGetColor(WidgetRecord* widget, int which);
void StandardOnDestroy(WidgetRecord* widget);

// Solid brushes shared by colour and counted; the last release deletes the brush.
HBRUSH BrushAcquire(int colour); // nullptr when none could be made
void BrushRelease(HBRUSH brush); // a brush not from the cache is ignored
int BrushCacheCount(int colour); // users of that colour's brush; 0 when none
void BrushCacheInit();           // by WidgetsInit

// Common-controls version (major << 16 | minor), detected on the first call that can read it;
// 0 while unknown. ThemeVisualStylesActive: themed drawing is on (version 6 or later).
int ThemeDetect();
bool ThemeVisualStylesActive();
