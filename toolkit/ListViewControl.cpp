// The list-view control itself: messages straight to its own procedure, and the kind's state.
#include "toolkit/ListView.h"

namespace {

WNDPROC listViewProcedure = nullptr; // the same for every list view, kept for the whole run

} // namespace

ListViewState& ListViewStateOf(WidgetRecord* widget) {
    return *static_cast<ListViewState*>(widget->State);
}

void ListViewProcedureSet(WNDPROC procedure) {
    if (!listViewProcedure)
        listViewProcedure = procedure;
}

LRESULT ListViewSend(WidgetRecord* widget, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(listViewProcedure, widget->Handle, message, wParam, lParam);
}

LRESULT ListViewSendTo(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(listViewProcedure, control, message, wParam, lParam);
}

int ListViewRowCount(WidgetRecord* widget) {
    return static_cast<int>(ListViewSend(widget, LVM_GETITEMCOUNT, 0, 0));
}

HWND ListViewHeader(WidgetRecord* widget) {
    return reinterpret_cast<HWND>(ListViewSend(widget, LVM_GETHEADER, 0, 0));
}

int ListViewColumnCount(WidgetRecord* widget) {
    return static_cast<int>(SendMessageA(ListViewHeader(widget), HDM_GETITEMCOUNT, 0, 0));
}

void ListViewRepaint(WidgetRecord* widget) {
    RedrawWindow(widget->Handle, nullptr, nullptr, RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}
