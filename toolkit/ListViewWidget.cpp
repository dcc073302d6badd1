// The list view: a report-view table with one text cell per column. Rows are added as their
// cells joined by line feeds. Optional extras: a colour for the whole list, colours per cell
// and one value per row (kept in a row data block), grid lines in a colour, row images.
// This file is the kind: its creation, its procedure and its notifications; the parts it is
// made of are listed in ListView.h.
#include "toolkit/ListView.h"

#include "toolkit/Properties.h"
#include "toolkit/Widgets.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

static WidgetKind listViewKind;

// Rows were added: the control learns their number and draws them, now that the event loop
// runs again.
static void CountEnd(HWND control) {
    WidgetRecord* widget = WidgetFromControl(control);
    if (widget && widget->Handle == control)
        ListViewCountSync(widget);
}

static int LastSelected(HWND control) {
    return static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(control, LastSelectedProperty)));
}

static void LastSelectedSet(HWND control, int row) {
    SetPropA(control, LastSelectedProperty, reinterpret_cast<HANDLE>(static_cast<intptr_t>(row)));
}

// A click that leaves no row selected reports the change before the click itself.
static void DeselectionCheck(WidgetRecord* widget) {
    if (ListViewGetState(widget) < 0 && LastSelected(widget->Handle) != -1) {
        LastSelectedSet(widget->Handle, -1);
        WidgetPostEvent(widget->Handle, SubtypeChange);
    }
}

static void ItemChanged(WidgetRecord* widget, const NMLISTVIEW* change) {
    if (!(change->uChanged & LVIF_STATE) || ListViewStateOf(widget).quiet)
        return;
    if ((change->uNewState ^ change->uOldState) & LVIS_STATEIMAGEMASK)
        ListViewCheckChanged(widget, change->iItem, change->uNewState);
    if (!(change->uNewState & LVIS_SELECTED))
        return;
    LastSelectedSet(widget->Handle, change->iItem);
    WidgetPostEvent(widget->Handle, SubtypeChange);
}

// Typing in the list finds the next row, from `start` on and round, whose first cell begins
// with what was typed, without case: the control asks, since it keeps no texts itself.
static LRESULT RowFind(WidgetRecord* widget, int start, const std::string& typed) {
    const int rows = ListViewRowCount(widget);
    std::string spare;
    for (int i = 0; i < rows && !typed.empty(); ++i) {
        const int row = (std::max(start, 0) + i) % rows;
        const char* cell = ListViewCellRead(widget, row, 0, spare);
        if (std::strlen(cell) >= typed.size() &&
            CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, cell, int(typed.size()),
                           typed.c_str(), int(typed.size())) == CSTR_EQUAL)
            return row;
    }
    return -1;
}

static std::string Typed(const NMLVFINDITEMW* find) {
    const wchar_t* text = find->lvfi.psz;
    const int size =
        text ? WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr) : 0;
    std::string typed(size_t(std::max(size, 1)), '\0');
    if (size)
        WideCharToMultiByte(CP_ACP, 0, text, -1, typed.data(), size, nullptr, nullptr);
    return typed.c_str();
}

static LRESULT ListViewOnParentMessage(WidgetRecord* widget, HWND, UINT message, WPARAM,
                                       LPARAM lParam) {
    if (message != WM_NOTIFY)
        return NotHandled;
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    switch (header->code) {
    case NM_CLICK:
        DeselectionCheck(widget);
        WidgetPostEvent(widget->Handle, SubtypeLeftButtonClick);
        return 0;
    case NM_RCLICK:
        DeselectionCheck(widget);
        WidgetPostEvent(widget->Handle, SubtypeRightButtonClick);
        return 0;
    case NM_DBLCLK: WidgetPostEvent(widget->Handle, SubtypeLeftDoubleClick); return 0;
    case NM_RDBLCLK: WidgetPostEvent(widget->Handle, SubtypeRightDoubleClick); return 0;
    case LVN_ITEMCHANGED: ItemChanged(widget, reinterpret_cast<NMLISTVIEW*>(lParam)); return 0;
    case LVN_BEGINDRAG: WidgetPostEvent(widget->Handle, SubtypeDragStart); return 0;
    case LVN_COLUMNCLICK:
        WidgetPostEvent(widget->Handle,
                        SubtypeColumnClick | reinterpret_cast<NMLISTVIEW*>(lParam)->iSubItem);
        return 0;
    case LVN_DELETEALLITEMS: return TRUE; // no notice per row
    case LVN_ODFINDITEMA: {
        const auto* find = reinterpret_cast<NMLVFINDITEMA*>(lParam);
        return RowFind(widget, find->iStart, find->lvfi.psz ? find->lvfi.psz : "");
    }
    case LVN_ODFINDITEMW: {
        const auto* find = reinterpret_cast<NMLVFINDITEMW*>(lParam);
        return RowFind(widget, find->iStart, Typed(find));
    }
    case LVN_GETDISPINFOA:
        ListViewDisplayInfo(widget, &reinterpret_cast<NMLVDISPINFOA*>(lParam)->item);
        return 0;
    case LVN_GETDISPINFOW:
        ListViewDisplayInfo(widget, &reinterpret_cast<NMLVDISPINFOW*>(lParam)->item);
        return 0;
    case NM_CUSTOMDRAW:
        return ListViewCustomDraw(widget, reinterpret_cast<NMLVCUSTOMDRAW*>(lParam));
    default: return NotHandled;
    }
}

// Runs at the control's final destruction; the rows and row images go with the state.
static void ListViewOnDestroy(WidgetRecord* widget) {
    RowDataFreeAll(widget);
    RemovePropA(widget->Handle, LastSelectedProperty);
}

// Sits between the framework's procedure and the control's own.
static LRESULT CALLBACK ListViewProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    // Whoever asks about the rows, from this process or another, hears of every row.
    if (message == ListViewCountMessage || (message >= LVM_FIRST && message < LVM_FIRST + 0x100))
        CountEnd(control);
    if (message == ListViewCountMessage)
        return 0;
    return ListViewSendTo(control, message, wParam, lParam);
}

static void ListViewKindFill(HWND control) {
    ThemeDetect();
    ListViewColorsRemember(control);
    WidgetKind& kind = listViewKind;
    kind.RecordSize = WidgetRecordSize;
    kind.OnParentMessage = ListViewOnParentMessage;
    kind.OnDestroy = ListViewOnDestroy;
    kind.GetState = ListViewGetState;
    kind.SetState = ListViewSetState;
    kind.GetText = ListViewGetText;
    kind.SetText = ListViewSetText;
    kind.AddItem = ListViewAddItem;
    kind.RemoveItem = ListViewRemoveItem;
    kind.ClearItems = ListViewClearItems;
    kind.CountItems = ListViewCountItems;
    kind.GetItemState = ListViewGetItemState;
    kind.SetItemState = ListViewSetItemState;
    kind.GetItemText = ListViewGetItemText;
    kind.SetItemText = ListViewSetItemText;
    kind.AddColumn = ListViewAddColumn;
    kind.RemoveColumn = ListViewRemoveColumn;
    kind.GetItemAttribute = ListViewGetItemAttribute;
    kind.SetItemAttribute = ListViewSetItemAttribute;
    kind.SetColor = ListViewSetColor;
    kind.GetColor = ListViewGetColor;
    kind.SetItemColor = ListViewSetItemColor;
    kind.GetItemColor = ListViewGetItemColor;
    kind.SetItemData = ListViewSetItemData;
    kind.GetItemData = ListViewGetItemData;
    kind.Kind = WidgetKindListView;
}

static DWORD ExtendedStyle(int flags) {
    DWORD extended = 0;
    if (flags & ListViewCheckBoxes)
        extended |= LVS_EX_CHECKBOXES;
    if (flags & ListViewGridLines)
        extended |= LVS_EX_GRIDLINES;
    if (flags & ListViewDraggableHeaders)
        extended |= LVS_EX_HEADERDRAGDROP;
    if (flags & ListViewWholeRowSelection)
        extended |= LVS_EX_FULLROWSELECT;
    return extended;
}

intptr_t ListViewWidgetCreate(int number, int x, int y, int width, int height,
                              const char* firstTitle, int firstWidth, int flags) {
    // The flags fall on style bits the list has anyway (or LVS_SINGLESEL, decided here).
    // WS_CLIPCHILDREN: the header draws when it changes, not again with every change of rows.
    DWORD style = static_cast<DWORD>(flags) | WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT |
                  LVS_SHAREIMAGELISTS | LVS_OWNERDATA | WS_CLIPCHILDREN;
    if (flags & ListViewMultipleSelection)
        style &= ~static_cast<DWORD>(LVS_SINGLESEL);
    else
        style |= LVS_SINGLESEL;
    HWND control = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", style, x, y, width, height,
                                   WidgetListParent(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return 0;
    if (!listViewKind.Kind)
        ListViewKindFill(control);
    if (DWORD extended = ExtendedStyle(flags))
        SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    // The rows' check boxes are ours to keep and to show.
    if (flags & ListViewCheckBoxes)
        SendMessageA(control, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    auto* state = new (std::nothrow) ListViewState;
    int assigned = 0;
    WidgetRecord* widget = state ? WidgetRecordAcquire(number, &assigned) : nullptr;
    if (!widget) {
        delete state;
        DestroyWindow(control);
        return 0;
    }
    widget->State = state;
    // No selection seen yet: a first click on the empty area reports no change.
    LastSelectedSet(control, -1);
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListViewProc)));
    ListViewProcedureSet(previous);
    intptr_t result = WidgetRegister(number, assigned, widget, control, &listViewKind);
    if (result)
        ListViewAddColumn(widget, 0, firstTitle, firstWidth);
    return result;
}
