// Sorting the trade list by a column, and the undo and redo of every change to the list.
//
// A step of the history keeps what the list was before the change: the rows a change took out
// (moved, never copied), where a sort moved the rows, and the totals, selection and sort arrow
// as they stood. Undoing a step swaps the list with what the step keeps, and the step then keeps
// what the list was: the same step redoes it.
#pragma once

#include "trade/TradeSheet.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

// The order the list is shown in: the column it was sorted by last, ascending (+1) or
// descending (-1); 0 when the rows are in the order they came.
struct ListOrder {
    int column = -1;
    int direction = 0;
};

// The rows in the order of `column`: numbers by value, rows whose cell is no finite number last,
// texts without regard to case; equal rows keep their order. Entry i is the row to show at i.
std::vector<int> SortedRows(TradeTable& table, int column, int direction);

// A number column's values row by row, NaN for a cell that is no finite number; and the rows
// in their order.
std::vector<double> NumberKeys(TradeTable& table, int column);
std::vector<int> SortedRows(const std::vector<double>& keys, int direction);

class ListHistory {
  public:
    static constexpr size_t Depth = 100; // steps kept; the oldest goes first

    explicit ListHistory(TradeSheet& sheet) : sheet_(sheet) {}

    // Each does what the list command of that name does and keeps a step when the list
    // changed; true when it did.
    bool Transfer();
    bool Delete();
    bool Clear();
    // A click on `column`'s header: ascending, the next click descending.
    bool Sort(int column);
    // Runs a command that replaces the whole list (opening a list, importing one). The rows it
    // removes are kept; it counts as a change when it removed them.
    bool Replace(const char* name, const std::function<void(TradeSheet&)>& command);

    bool Undo();
    bool Redo();
    // "Undo Delete row", or "Undo" when there is nothing to undo.
    std::string UndoText() const;
    std::string RedoText() const;
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    const ListOrder& Order() const { return order_; }

  private:
    enum class Kind { Whole, Row, Order };
    struct Step {
        std::string name;
        Kind kind = Kind::Whole;
        std::unique_ptr<RowBlock> rows; // Whole: the other list; Row: the row while it is out
        YieldModes modes;               // Whole: the other list's modes
        int position = 0;               // Row: where the row goes back in or comes out
        unsigned char mode = 0;         // Row: its mode while it is out
        std::vector<int> order;         // Order: the order last applied; undone by its inverse
        std::vector<std::string> totals;
        int selected = -1;
        ListOrder shown;
    };
    Step StepBegin(const std::string& name, Kind kind);
    void StepKeep(Step step);
    void StepSwap(Step& step);
    bool StepMove(std::deque<Step>& from, std::deque<Step>& to);
    void KeysCatchUp();
    std::vector<std::string> TotalsRead();
    void TotalsWrite(const std::vector<std::string>& totals);
    void OrderSet(const ListOrder& order);

    TradeSheet& sheet_;
    std::deque<Step> undo_, redo_;
    ListOrder order_;
    // The keys of the number column sorted by last, kept while only sorts move the rows:
    // sorting by it again, either way, reads no cell. They follow the rows only when needed:
    // while `keysBehind_`, they stand in the order before the newest step to undo.
    int keysColumn_ = -1;
    std::vector<double> keys_;
    bool keysBehind_ = false;
};
