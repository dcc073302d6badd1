// Rows taken out of a list view and put back, and the rows put in a new order: the row records
// move, their texts and blocks stay where they are in memory. And a column read for a sort.
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
    std::string spare;
    for (int row = 0, rows = ListViewRowCount(widget); row < rows; ++row)
        visit(ListViewCellRead(widget, row, column, spare));
}

void ListViewRowsReorder(int number, const std::vector<int>& order) {
    WidgetRecord* widget = WidgetLookup(number);
    if (!widget || widget->Class->Kind != WidgetKindListView)
        return;
    std::vector<ListRow>& rows = ListViewStateOf(widget).rows;
    if (order.size() != rows.size())
        return;
    try {
        std::vector<char> seen(rows.size());
        for (int from : order)
            if (from < 0 || size_t(from) >= rows.size() || seen[size_t(from)]++)
                return;
        std::vector<ListRow> ordered;
        ordered.reserve(rows.size());
        for (int from : order)
            ordered.push_back(std::move(rows[size_t(from)]));
        rows.swap(ordered);
    } catch (const std::bad_alloc&) {
        return;
    }
    RowsChanged(widget);
}
