#include "trade/ListHistory.h"

#include "runtime/NumberText.h"
#include "trade/Columns.h"
#include "trade/Trade.h"
#include "trade/TradeList.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

// Hands every call on to the list's own table, except that the rows the list commands remove
// are taken out and kept rather than thrown away.
class KeepingTable : public TradeTable {
  public:
    explicit KeepingTable(TradeTable& table) : table_(table) {}
    std::unique_ptr<RowBlock> kept;
    bool removedAll = false;

    int RowCount() override { return table_.RowCount(); }
    void RowAdd(int position, const std::string& rowText) override {
        table_.RowAdd(position, rowText);
    }
    std::string CellGetText(int row, int column) override {
        return table_.CellGetText(row, column);
    }
    int SelectedRow() override { return table_.SelectedRow(); }
    void RowRemove(int row) override { kept = table_.RowsTake(row, 1); }
    void RowsRemoveAll() override {
        kept = table_.RowsTake(0, table_.RowCount());
        removedAll = true;
    }
    void SelectedRowSet(int row) override { table_.SelectedRowSet(row); }
    std::unique_ptr<RowBlock> RowsTake(int first, int count) override {
        return table_.RowsTake(first, count);
    }
    void RowsPut(int position, std::unique_ptr<RowBlock> rows) override {
        table_.RowsPut(position, std::move(rows));
    }
    void RowsReorder(const std::vector<int>& order) override { table_.RowsReorder(order); }
    void SortArrowSet(int column, int direction) override {
        table_.SortArrowSet(column, direction);
    }

  private:
    TradeTable& table_;
};

// A cell with a digit that reads as a finite number, the way the entry reads it. A million
// cells are read for a sort, so the usual cell, digits with at most one point, is read in the
// same look that finds it usual, and as reading a text does: when the digits without the point
// fit 2^53, they and the power of ten are exact, and one division rounds correctly.
bool CellNumber(const char* text, double& value) {
    static constexpr double Tens[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                      1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    constexpr uint64_t Exact = uint64_t(1) << 53;
    const char* c = text + (*text == '-');
    const char* const first = c;
    uint64_t whole = 0;
    for (; unsigned(*c - '0') < 10; ++c)
        whole = whole * 10 + unsigned(*c - '0');
    const char* const dot = c;
    if (*dot == '.')
        for (++c; unsigned(*c - '0') < 10; ++c)
            whole = whole * 10 + unsigned(*c - '0');
    int decimals = *dot == '.' ? int(c - dot - 1) : 0;
    const int digits = int(c - first) - (*dot == '.');
    if (!*c && digits > 0 && digits <= 19) {
        while (whole > Exact && decimals > 0 && whole % 10 == 0) // zeros after the point
            whole /= 10, --decimals;
        if (whole <= Exact) {
            value = double(whole) / Tens[decimals];
            value = *text == '-' ? -value : value;
            return true;
        }
    }
    bool digit = false, comma = false, point = false;
    for (c = text; *c; ++c) {
        digit |= *c >= '0' && *c <= '9';
        comma |= *c == ',';
        point |= *c == '.';
    }
    value = comma && !point ? EntryNumber(text) : TextToFloat(text);
    return digit && std::isfinite(value);
}

std::vector<int> Inverse(const std::vector<int>& order) {
    std::vector<int> inverse(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        inverse[size_t(order[i])] = int(i);
    return inverse;
}

// Entry i is values[order[i]].
template <typename T>
std::vector<T> Gathered(const std::vector<T>& values, const std::vector<int>& order) {
    std::vector<T> gathered(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        gathered[i] = values[size_t(order[i])];
    return gathered;
}

} // namespace

std::vector<int> SortedRows(TradeTable& table, int column, int direction) {
    const int rows = table.RowCount();
    std::vector<int> order(size_t(std::max(rows, 0)));
    std::iota(order.begin(), order.end(), 0);
    if (column < 0 || column >= ColumnCount || direction == 0)
        return order;
    if (Columns[column].kind == ColumnKind::Text) {
        std::vector<std::string> keys;
        keys.reserve(order.size());
        table.ColumnVisit(column, [&keys](const char* text) {
            keys.emplace_back(text);
            for (char& c : keys.back())
                c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
        });
        if (keys.size() != order.size())
            return order; // the table did not show every row
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return direction > 0 ? keys[size_t(a)] < keys[size_t(b)]
                                 : keys[size_t(b)] < keys[size_t(a)];
        });
        return order;
    }
    std::vector<double> keys = NumberKeys(table, column);
    return keys.size() == order.size() ? SortedRows(keys, direction) : order;
}

std::vector<double> NumberKeys(TradeTable& table, int column) {
    std::vector<double> keys;
    keys.reserve(size_t(std::max(table.RowCount(), 0)));
    table.ColumnVisit(column, [&keys](const char* text) {
        double value;
        keys.push_back(CellNumber(text, value) ? value : NAN);
    });
    return keys;
}

std::vector<int> SortedRows(const std::vector<double>& keys, int direction) {
    // The numbers to the front, the others to the back, where they come in backwards.
    std::vector<int> order(keys.size());
    size_t numbers = 0, others = keys.size();
    for (size_t row = 0; row < keys.size(); ++row)
        order[std::isnan(keys[row]) ? --others : numbers++] = int(row);
    std::reverse(order.begin() + ptrdiff_t(others), order.end());
    const auto end = order.begin() + ptrdiff_t(numbers);
    const auto less = [&keys](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; };
    const auto greater = [&keys](int a, int b) { return keys[size_t(b)] < keys[size_t(a)]; };
    if (direction > 0)
        std::stable_sort(order.begin(), end, less);
    else
        std::stable_sort(order.begin(), end, greater);
    return order;
}

std::vector<std::string> ListHistory::TotalsRead() {
    std::vector<std::string> totals;
    for (const Column& column : Columns)
        if (column.totalLine >= 0)
            totals.push_back(sheet_.fields.FieldGetText(column.total));
    return totals;
}

// Only the texts that differ: every field written is drawn anew.
void ListHistory::TotalsWrite(const std::vector<std::string>& totals) {
    auto total = totals.begin();
    for (const Column& column : Columns)
        if (column.totalLine >= 0 && total != totals.end()) {
            if (sheet_.fields.FieldGetText(column.total) != *total)
                sheet_.fields.FieldSetText(column.total, *total);
            ++total;
        }
}

void ListHistory::OrderSet(const ListOrder& order) {
    if (order.column != order_.column || order.direction != order_.direction)
        sheet_.table.SortArrowSet(order.column, order.direction);
    order_ = order;
}

ListHistory::Step ListHistory::StepBegin(const std::string& name, Kind kind) {
    if (kind != Kind::Order)
        keys_.clear(), keysBehind_ = false; // the rows change
    Step step;
    step.name = name;
    step.kind = kind;
    step.totals = TotalsRead();
    step.selected = sheet_.table.SelectedRow();
    step.shown = order_;
    return step;
}

void ListHistory::StepKeep(Step step) {
    redo_.clear();
    undo_.push_back(std::move(step));
    if (undo_.size() > Depth)
        undo_.pop_front();
}

bool ListHistory::Transfer() {
    Step step = StepBegin("Transfer", Kind::Row);
    step.position = sheet_.table.RowCount();
    TransferEntry(sheet_);
    if (sheet_.table.RowCount() != step.position + 1)
        return false;
    OrderSet({}); // a new row stands at the end, out of order
    StepKeep(std::move(step));
    return true;
}

bool ListHistory::Delete() {
    const int row = sheet_.table.SelectedRow();
    if (row < 0 || row >= sheet_.table.RowCount())
        return false;
    Step step = StepBegin("Delete row", Kind::Row);
    step.position = row;
    step.mode = RowInAmounts(sheet_, row) ? 1 : 0;
    KeepingTable keeping(sheet_.table);
    TradeSheet sheet{sheet_.fields, keeping, sheet_.modes};
    DeleteRow(sheet);
    if (!keeping.kept)
        return false;
    step.rows = std::move(keeping.kept);
    StepKeep(std::move(step));
    return true;
}

bool ListHistory::Clear() {
    if (sheet_.table.RowCount() > 0)
        return Replace("Clear list", ClearList);
    ClearList(sheet_);
    return false;
}

bool ListHistory::Replace(const char* name, const std::function<void(TradeSheet&)>& command) {
    Step step = StepBegin(name, Kind::Whole);
    KeepingTable keeping(sheet_.table);
    YieldModes modes;
    TradeSheet sheet{sheet_.fields, keeping, modes};
    command(sheet);
    if (!keeping.removedAll)
        return false;
    step.rows = std::move(keeping.kept);
    step.modes.swap(sheet_.modes);
    sheet_.modes.swap(modes);
    OrderSet({});
    StepKeep(std::move(step));
    return true;
}

bool ListHistory::Sort(int column) {
    if (column < 0 || column >= ColumnCount)
        return false;
    const int direction = order_.column == column && order_.direction > 0 ? -1 : 1;
    Step step = StepBegin(std::string("Sort by ") + Columns[column].title, Kind::Order);
    KeysCatchUp();
    if (Columns[column].kind == ColumnKind::Text) {
        step.order = SortedRows(sheet_.table, column, direction);
    } else {
        if (keysColumn_ != column || keys_.size() != size_t(sheet_.table.RowCount())) {
            keys_ = NumberKeys(sheet_.table, column);
            keysColumn_ = column;
        }
        step.order = SortedRows(keys_, direction);
    }
    StepSwap(step);
    // The swap put back the selection and arrow the step began with, and keeps them to undo;
    // the selection follows its row.
    const auto selected = std::find(step.order.begin(), step.order.end(), step.selected);
    if (step.selected >= 0 && selected != step.order.end())
        sheet_.table.SelectedRowSet(int(selected - step.order.begin()));
    OrderSet({column, direction});
    StepKeep(std::move(step));
    keysBehind_ = !keys_.empty();
    return true;
}

// Puts the kept keys in the order the rows are shown in, through the newest step to undo;
// they go when that step is no sort.
void ListHistory::KeysCatchUp() {
    if (!keysBehind_)
        return;
    keysBehind_ = false;
    if (!undo_.empty() && undo_.back().kind == Kind::Order &&
        undo_.back().order.size() == keys_.size())
        keys_ = Gathered(keys_, undo_.back().order);
    else
        keys_.clear();
}

void ListHistory::StepSwap(Step& step) {
    std::vector<std::string> totals = TotalsRead();
    const int selected = sheet_.table.SelectedRow();
    const ListOrder shown = order_;
    TradeTable& table = sheet_.table;
    if (step.kind != Kind::Order)
        keys_.clear(), keysBehind_ = false;
    switch (step.kind) {
    case Kind::Whole: {
        std::unique_ptr<RowBlock> rows = table.RowsTake(0, table.RowCount());
        if (step.rows)
            table.RowsPut(0, std::move(step.rows));
        step.rows = std::move(rows);
        step.modes.swap(sheet_.modes);
        break;
    }
    case Kind::Row:
        if (step.rows) {
            table.RowsPut(step.position, std::move(step.rows));
            sheet_.modes.insert(sheet_.modes.begin() +
                                    std::min<ptrdiff_t>(step.position, sheet_.modes.size()),
                                step.mode);
        } else {
            step.mode = RowInAmounts(sheet_, step.position) ? 1 : 0;
            step.rows = table.RowsTake(step.position, 1);
            if (size_t(step.position) < sheet_.modes.size())
                sheet_.modes.erase(sheet_.modes.begin() + step.position);
        }
        break;
    case Kind::Order: {
        table.RowsReorder(step.order);
        YieldModes modes(step.order.size());
        for (size_t row = 0; row < step.order.size(); ++row)
            modes[row] = RowInAmounts(sheet_, step.order[row]) ? 1 : 0;
        sheet_.modes.swap(modes);
        break;
    }
    }
    TotalsWrite(step.totals);
    table.SelectedRowSet(step.selected);
    OrderSet(step.shown);
    step.totals = std::move(totals);
    step.selected = selected;
    step.shown = shown;
}

// The newest step of `from` swapped back and kept in `to`, from where it swaps again.
bool ListHistory::StepMove(std::deque<Step>& from, std::deque<Step>& to) {
    if (from.empty())
        return false;
    const bool undo = &from == &undo_, order = from.back().kind == Kind::Order;
    if (order && !undo)
        KeysCatchUp(); // the step goes on top of the newest
    const bool behind = keysBehind_;
    Step step = std::move(from.back());
    from.pop_back();
    if (order) // the inverse of the order applied last, found only when it is taken
        step.order = Inverse(step.order);
    StepSwap(step);
    if (order && !keys_.empty()) {
        if (undo && !behind)
            keys_ = Gathered(keys_, step.order);
        keysBehind_ = !undo;
    }
    to.push_back(std::move(step));
    return true;
}

bool ListHistory::Undo() {
    return StepMove(undo_, redo_);
}

bool ListHistory::Redo() {
    return StepMove(redo_, undo_);
}

std::string ListHistory::UndoText() const {
    return undo_.empty() ? "Undo" : "Undo " + undo_.back().name;
}

std::string ListHistory::RedoText() const {
    return redo_.empty() ? "Redo" : "Redo " + redo_.back().name;
}
