// Rows taken out of a list view and put back, and the rows put in a new order: the row records
// move, their texts and blocks stay where they are in memory; a new order is kept aside until
// rows come or go. And a column read for a sort.
#include "toolkit/ListView.h"
#include "toolkit/Widgets.h"

#include <algorithm>
#include <new>

struct ListViewRowBlock {
    std::vector<ListRow> rows;
    ~ListViewRowBlock() {
        for (ListRow& row : rows)
            RowDataRelease(row);
    }
};

void ListViewRowBlockFree(ListViewRowBlock* block) {
    delete block;
}

int ListViewRowBlockCount(const ListViewRowBlock* block) {
    return block ? int(block->rows.size()) : 0;
}

// The control learns the new count at once and draws everything anew where it stands.
static void RowsChanged(WidgetRecord* widget) {
    ListViewState& state = ListViewStateOf(widget);
    state.countPending = true;
    ListViewCountSync(widget);
    ListViewRepaint(widget);
}

ListViewRowsTaken ListViewRowsTake(int number, int first, int count) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || widget->Class->Kind != WidgetKindListView)
        return nullptr;
    ListViewRowsSettle(ListViewStateOf(widget));
    std::vector<ListRow>& rows = ListViewStateOf(widget).rows;
    if (first < 0 || count <= 0 || size_t(first) + size_t(count) > rows.size())
        return nullptr;
    ListViewRowsTaken block(new (std::nothrow) ListViewRowBlock);
    if (!block)
        return nullptr;
    ListViewCountSync(widget); // the control must know the rows it is to let go
    if (size_t(count) == rows.size()) {
        block->rows.swap(rows);
        ListViewSend(widget, LVM_DELETEALLITEMS, 0, 0);
        return block;
    }
    try {
        block->rows.assign(std::make_move_iterator(rows.begin() + first),
                           std::make_move_iterator(rows.begin() + first + count));
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    rows.erase(rows.begin() + first, rows.begin() + first + count);
    // The control moves the selection of the rows after them up.
    for (int row = first + count - 1; row >= first; --row)
        ListViewSend(widget, LVM_DELETEITEM, WPARAM(row), 0);
    return block;
}

void ListViewRowsPut(int number, int position, ListViewRowsTaken block) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || widget->Class->Kind != WidgetKindListView || !block)
        return;
    ListViewRowsSettle(ListViewStateOf(widget));
    std::vector<ListRow>& rows = ListViewStateOf(widget).rows;
    position = position < 0 || size_t(position) > rows.size() ? int(rows.size()) : position;
    if (rows.empty()) {
        rows.swap(block->rows);
    } else {
        try {
            rows.insert(rows.begin() + position, std::make_move_iterator(block->rows.begin()),
                        std::make_move_iterator(block->rows.end()));
        } catch (const std::bad_alloc&) {
            return; // the rows stay in the block and go with it
        }
        block->rows.clear();
    }
    RowsChanged(widget);
}

void ListViewColumnVisit(int number, int column, const std::function<void(const char*)>& visit) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || widget->Class->Kind != WidgetKindListView)
        return;
    const ListViewState& state = ListViewStateOf(widget);
    if (!state.textSource) {
        for (size_t row = 0; row < state.rows.size(); ++row)
            visit(ListViewCellText(state.rows[state.shown.empty() ? row : size_t(state.shown[row])],
                                   column));
        return;
    }
    std::string spare;
    for (int row = 0, rows = ListViewRowCount(widget); row < rows; ++row)
        visit(ListViewCellRead(widget, row, column, spare));
}

void ListViewRowsSettle(ListViewState& state) {
    std::vector<ListRow>& rows = state.rows;
    std::vector<int> order;
    order.swap(state.shown);
    if (order.size() != rows.size())
        return;
    // Each record moves once, along the cycles of the order, in the memory the rows have; a
    // row whose place is taken points at itself.
    for (size_t start = 0; start < rows.size(); ++start) {
        if (size_t(order[start]) == start)
            continue;
        ListRow held = std::move(rows[start]);
        size_t at = start;
        for (size_t from = size_t(order[at]); from != start; from = size_t(order[at])) {
            rows[at] = std::move(rows[from]);
            order[at] = int(at);
            at = from;
        }
        rows[at] = std::move(held);
        order[at] = int(at);
    }
}

void ListViewRowsReorder(int number, const std::vector<int>& order) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || widget->Class->Kind != WidgetKindListView)
        return;
    ListViewState& state = ListViewStateOf(widget);
    if (order.size() != state.rows.size())
        return;
    try {
        std::vector<char> seen(order.size());
        for (int from : order)
            if (from < 0 || size_t(from) >= order.size() || seen[size_t(from)]++)
                return;
        // Carried out only when rows come or go; until then a row is found through the order.
        std::vector<int> shown(order);
        if (!state.shown.empty())
            for (int& from : shown)
                from = state.shown[size_t(from)];
        state.shown.swap(shown);
    } catch (const std::bad_alloc&) {
        return;
    }
    // The count is the same: telling the control again would cost a redraw of its own.
    ListViewRepaint(widget);
}
