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

void ListViewCountSync(WidgetRecord* widget) {
    ListViewState& state = ListViewStateOf(widget);
    if (!state.countPending)
        return;
    state.countPending = false;
    // Rows may have gone in anywhere: everything is drawn anew, but the view stays put.
    CallWindowProcA(listViewProcedure, widget->Handle, LVM_SETITEMCOUNT, state.rows.size(),
                    LVSICF_NOSCROLL);
}

LRESULT ListViewSend(WidgetRecord* widget, UINT message, WPARAM wParam, LPARAM lParam) {
    ListViewCountSync(widget);
    return ListViewSendTo(widget->Handle, message, wParam, lParam);
}

LRESULT ListViewSendTo(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(listViewProcedure, control, message, wParam, lParam);
    // A column came or went, from here or from outside: the count is asked anew.
    if (message == LVM_INSERTCOLUMNA || message == LVM_INSERTCOLUMNW || message == LVM_DELETECOLUMN)
        if (WidgetRecord* widget = WidgetFromControl(control))
            ListViewStateOf(widget).columns = -1;
    return result;
}

int ListViewRowCount(WidgetRecord* widget) {
    return static_cast<int>(ListViewStateOf(widget).rows.size());
}

ListRow* ListViewRow(WidgetRecord* widget, int row) {
    ListViewState& state = ListViewStateOf(widget);
    if (row < 0 || size_t(row) >= state.rows.size())
        return nullptr;
    return &state.rows[state.shown.empty() ? size_t(row) : size_t(state.shown[size_t(row)])];
}

// Asking for the header must not tell the control of pending rows: adding a row asks for
// the columns.
HWND ListViewHeader(WidgetRecord* widget) {
    return reinterpret_cast<HWND>(ListViewSendTo(widget->Handle, LVM_GETHEADER, 0, 0));
}

// Kept, since adding a row asks for it and the header is another window to send to.
int ListViewColumnCount(WidgetRecord* widget) {
    int& columns = ListViewStateOf(widget).columns;
    if (columns < 0)
        columns = static_cast<int>(SendMessageA(ListViewHeader(widget), HDM_GETITEMCOUNT, 0, 0));
    return columns;
}

void ListViewRepaint(WidgetRecord* widget) {
    RedrawWindow(widget->Handle, nullptr, nullptr, RDW_ERASE | RDW_INTERNALPAINT | RDW_INVALIDATE);
}
