// Sorting the list and undoing and redoing its changes over the in-memory fakes: the order of
// odd cells, and that every step brings back exactly the rows, modes, totals texts, selection
// and arrow it began with. The program's own list view is checked end to end.
#include "trade/ListHistory.h"

#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>
#include <tuple>

namespace {

std::vector<std::string> CellsOf(MemoryTable& table, int column) {
    std::vector<std::string> cells;
    for (const auto& row : table.rows)
        cells.push_back(row[size_t(column)]);
    return cells;
}

// Everything a step must bring back.
using State = std::tuple<MemoryTable::Rows, YieldModes, std::vector<std::string>, int, int, int>;
State StateOf(MemorySheet& s) {
    return {s.table.rows,          s.modes, s.Totals(), s.table.selected, s.table.arrowColumn,
            s.table.arrowDirection};
}

} // namespace

TEST(ListSort, NumbersByValueOddCellsLastWaresWithoutCaseAllStable) {
    MemorySheet s;
    const char* cells[][2] = {{"b", "10"},  {"A", "nan"}, {"a", "9.5"}, {"B", ""},    {"c", "-2"},
                              {"C", "inf"}, {"a", "10"},  {"b", "abc"}, {"A", "1e1"}, {"c", "7,5"}};
    for (const auto& cell : cells)
        s.table.RowAdd(s.table.RowCount(), std::string(cell[0]) + "\n" + cell[1]);
    const int units = 1, ware = 0;
    using Order = std::vector<int>;
    EXPECT_EQ(SortedRows(s.table, units, +1), (Order{4, 9, 2, 0, 6, 8, 1, 3, 5, 7}));
    EXPECT_EQ(SortedRows(s.table, units, -1), (Order{0, 6, 8, 2, 9, 4, 1, 3, 5, 7}));
    EXPECT_EQ(SortedRows(s.table, ware, +1), (Order{1, 2, 6, 8, 0, 3, 7, 4, 5, 9}));
    EXPECT_EQ(SortedRows(s.table, ware, -1), (Order{4, 5, 9, 0, 3, 7, 1, 2, 6, 8}));
}

// One value, however a cell writes it, is one value: its rows keep their order either way.
TEST(ListSort, OneValueWrittenAnyWaySortsAsOne) {
    MemorySheet s;
    for (const char* cell :
         {"0.1", "1e-1", "0.10", "0,1", ".1", "0.30000000000000004", "0.3", "-0", "0.",
          "123456789012345", "1234567890123450e-1", "2.3445853463659930", "2.344585346365993",
          "1234567.250000000000", "123456725e-2", "123456.2500000000", "1.234562500e5"})
        s.table.RowAdd(s.table.RowCount(), std::string("w\n") + cell);
    using Order = std::vector<int>;
    EXPECT_EQ(SortedRows(s.table, 1, +1),
              (Order{7, 8, 0, 1, 2, 3, 4, 6, 5, 11, 12, 15, 16, 13, 14, 9, 10}));
    EXPECT_EQ(SortedRows(s.table, 1, -1),
              (Order{9, 10, 13, 14, 15, 16, 11, 12, 5, 6, 0, 1, 2, 3, 4, 7, 8}));
}

// The numbers are read anew after any other change, also one undone, and stay right through
// sorts and their undoing.
TEST(ListSort, NumbersAreReadAgainAfterAnyOtherChange) {
    MemorySheet s;
    ListHistory history(s.sheet);
    const auto list = [&](const char* name, std::vector<int> units) {
        return history.Replace(name, [&](TradeSheet& sheet) {
            sheet.table.RowsRemoveAll();
            for (int unit : units)
                RowAppend(sheet, "w\n" + std::to_string(unit), false);
        });
    };
    const auto shownInOrder = [&] {
        std::vector<int> shown(size_t(s.table.RowCount()));
        std::iota(shown.begin(), shown.end(), 0);
        return SortedRows(s.table, 1, history.Order().direction) == shown;
    };
    list("Open list", {3, 1, 2});
    ASSERT_TRUE(history.Sort(1) && shownInOrder());
    list("Open list", {1, 3, 2});
    ASSERT_TRUE(history.Sort(1) && history.Sort(1) && shownInOrder());
    history.Undo(), history.Undo(), history.Undo(); // the first list, ascending
    EXPECT_TRUE(history.Sort(1) && shownInOrder());
    s.table.selected = 0;
    s.fields.Set({{Field::Ware, "Wax"}, {Field::BuyUnits, "9"}, {Field::BuyCost, "1"}});
    Compute(s.fields);
    EXPECT_TRUE(history.Delete() && history.Transfer() && history.Sort(1) && shownInOrder());
}

// The numbers kept from a sort serve the next one through any mix of sorts, undos and redos.
TEST(ListSort, KeptNumbersFollowTheRowsThroughUndoAndRedo) {
    MemorySheet s;
    ListHistory history(s.sheet);
    const std::map<std::string, double> units = {{"a", 2},   {"b", 1}, {"c", NAN}, {"d", 2},
                                                 {"e", 0.5}, {"f", 1}, {"g", -3}};
    for (const char* ware : {"d", "a", "c", "b", "e", "g", "f"})
        RowAppend(s.sheet, ware + ("\n" + std::to_string(units.at(ware))), false);
    std::vector<std::vector<std::string>> undone, redone; // the wares as shown, step by step
    const std::string script = "ssuusurwsuusuurrs";
    for (size_t i = 0; i < script.size(); ++i) {
        std::vector<std::string> shown = CellsOf(s.table, 0);
        if (script[i] != 's' && script[i] != 'w') {
            auto& from = script[i] == 'u' ? undone : redone;
            auto& to = script[i] == 'u' ? redone : undone;
            ASSERT_TRUE(script[i] == 'u' ? history.Undo() : history.Redo());
            EXPECT_EQ(CellsOf(s.table, 0), from.back()) << i;
            from.pop_back();
            to.push_back(shown);
            continue;
        }
        const int column = script[i] == 's' ? 1 : 0;
        ASSERT_TRUE(history.Sort(column));
        undone.push_back(shown);
        redone.clear();
        const int direction = history.Order().direction;
        std::stable_sort(
            shown.begin(), shown.end(), [&](const std::string& x, const std::string& y) {
                const double a = column ? units.at(x) : x[0], b = column ? units.at(y) : y[0];
                return std::isnan(a) || std::isnan(b) ? std::isnan(b) && !std::isnan(a)
                       : direction > 0                ? a < b
                                                      : b < a;
            });
        EXPECT_EQ(CellsOf(s.table, 0), shown) << i;
    }
}

TEST(ListHistory, EveryStepUndoesAndRedoesToTheSameRowsModesTotalsSelectionAndArrow) {
    MemorySheet s;
    ListHistory history(s.sheet);
    s.RowAdd("Salt", 30, true);
    s.RowAdd("iron", 10, false, 4);
    s.RowAdd("Amber", 20, true);
    s.table.selected = 1;
    std::vector<State> states{StateOf(s)};
    std::vector<std::string> undoTexts;
    const auto step = [&](bool changed, const char* text) {
        EXPECT_TRUE(changed) << text;
        EXPECT_EQ(history.UndoText(), text);
        EXPECT_EQ(history.RedoText(), "Redo");
        undoTexts.push_back(text);
        states.push_back(StateOf(s));
    };
    step(history.Sort(0), "Undo Sort by Ware");
    EXPECT_EQ(CellsOf(s.table, 0), (std::vector<std::string>{"Amber", "iron", "Salt"}));
    EXPECT_EQ(s.modes, (YieldModes{1, 0, 1}));
    EXPECT_EQ(s.table.selected, 1);                            // still iron
    EXPECT_EQ(std::get<2>(states[1]), std::get<2>(states[0])); // the totals stay
    step(history.Sort(0), "Undo Sort by Ware");
    EXPECT_EQ(s.table.arrowDirection, -1);
    EXPECT_EQ(s.table.selected, 1);
    s.fields.Set({{Field::Ware, "Wax"}, {Field::BuyUnits, "1"}, {Field::BuyCost, "0.1"}});
    Compute(s.fields);
    step(history.Transfer(), "Undo Transfer");
    EXPECT_EQ(s.table.arrowDirection, 0);
    s.table.selected = 0; // by the user: what undoing the delete brings back
    states.back() = StateOf(s);
    step(history.Delete(), "Undo Delete row");
    step(history.Replace("Open list",
                         [](TradeSheet& sheet) {
                             sheet.table.RowsRemoveAll();
                             RowAppend(sheet, "Gold\n1\n1", false);
                         }),
         "Undo Open list");
    step(history.Clear(), "Undo Clear list");
    EXPECT_FALSE(history.Clear()); // nothing left to clear

    for (size_t i = states.size() - 1; i > 0; --i) {
        EXPECT_EQ(history.UndoText(), undoTexts[i - 1]);
        EXPECT_TRUE(history.Undo());
        EXPECT_EQ(StateOf(s), states[i - 1]) << "undo " << undoTexts[i - 1];
    }
    EXPECT_FALSE(history.Undo());
    EXPECT_EQ(history.UndoText(), "Undo");
    for (size_t i = 1; i < states.size(); ++i) {
        EXPECT_EQ(history.RedoText(), "Redo" + undoTexts[i - 1].substr(4));
        EXPECT_TRUE(history.Redo());
        EXPECT_EQ(StateOf(s), states[i]) << "redo " << undoTexts[i - 1];
    }
    // A new change after some undoing ends what could be redone.
    history.Undo();
    history.Undo();
    EXPECT_TRUE(history.Transfer());
    EXPECT_FALSE(history.CanRedo());
}

TEST(ListHistory, FailedCommandsKeepNoStepAndTheOldestStepsGoPastTheDepth) {
    MemorySheet s;
    ListHistory history(s.sheet);
    s.table.selected = 0;
    EXPECT_FALSE(history.Delete());
    EXPECT_FALSE(history.Replace("Open list", [](TradeSheet&) {})); // cancelled or unreadable
    EXPECT_FALSE(history.CanUndo());
    for (size_t i = 0; i < ListHistory::Depth + 5; ++i)
        history.Transfer();
    size_t undone = 0;
    while (history.Undo())
        ++undone;
    EXPECT_EQ(undone, ListHistory::Depth);
    EXPECT_EQ(s.table.rows.size(), 5u);
    EXPECT_EQ(s.modes.size(), 5u);
}
