// Sorting the list by its headers and undoing and redoing every change to it, on the real
// program: header clicks and keys through SendInput, the arrow and the cells read from outside.
// The Edit menu's texts are checked with the history itself (Wine shows no program the menus
// of another).
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <tuple>

namespace fs = std::filesystem;

namespace {

// Salt and Amber tie in "Yield [$]"; pepper's is no number. iron and pepper are in percent.
const Texts Salt = {"Salt",          "10", "100.0000000000", "12.0000000000",
                    "2.0000000000",  "10", "120.0000000000", "20.0000000000",
                    "20.0000000000", "1"};
const Texts Iron = {"iron",          "5", "50.0000000000", "12.0000000000",
                    "2.0000000000",  "2", "24.0000000000", "4.0000000000",
                    "20.0000000000", "0"};
const Texts Amber = {"Amber",         "20", "200.0000000000", "11.0000000000",
                     "1.0000000000",  "20", "220.0000000000", "20.0000000000",
                     "10.0000000000", "1"};
const Texts Pepper = {"pepper",       "1", "1.0000000000", "1.0000000000",
                      "0.0000000000", "0", "0.0000000000", "nan",
                      "nan",          "0"};
const Texts Totals = {"36",           "351.0000000000", "36.0000000000",
                      "5.0000000000", "44.0000000000",  "50.0000000000",
                      "32",           "364.0000000000"};

// A list file of these rows (their mode last) and the totals above.
std::string ListFile(const std::vector<Texts>& rows) {
    Texts lines = {std::to_string(rows.size())};
    for (const Texts& row : rows)
        lines.insert(lines.end(), row.begin(), row.end());
    lines.insert(lines.end(), Totals.begin(), Totals.end());
    return CrLfLines(lines);
}

const int YieldColumn = 7;
const char FourRows[] = "Saved-Lists\\four.kvl";

void Lists(const fs::path& folder) {
    std::ofstream(folder / FourRows, std::ios::binary) << ListFile({Salt, Iron, Amber, Pepper});
    std::ofstream(folder / "Saved-Lists/two.kvl", std::ios::binary) << ListFile({Pepper, Iron});
    std::ofstream(folder / "Saved-Lists/Last session.kvl", std::ios::binary) << ListFile({Amber});
    std::ofstream(folder / "Saved-Lists/hand.csv", std::ios::binary)
        << "Ware,Buyunits,Buyprice,Sellunits,Unityield [$]\r\nGold,2,10,1,3\r\n";
}

std::string Title(Kestrava& app) {
    char text[256] = {};
    GetWindowTextA(app.Main(), text, sizeof text);
    return text;
}

Texts Wares(Kestrava& app) {
    Texts wares;
    for (int row = 0; row < app.Rows(); ++row)
        wares.push_back(app.Cell(row, 0));
    return wares;
}

// What undo and redo must bring back: the rows, the totals, the selection and the arrows.
using Shown = std::tuple<std::vector<Texts>, Texts, int, std::vector<int>>;
Shown ShownOf(Kestrava& app) {
    std::vector<Texts> rows;
    for (int row = 0; row < app.Rows(); ++row)
        rows.push_back(app.Row(row));
    std::vector<int> arrows;
    for (int column = 0; column < 9; ++column)
        arrows.push_back(app.SortArrow(column));
    return {rows, app.Totals(), app.Selected(), arrows};
}

// Each click a little aside of the one before, so that two never make a double click.
void HeaderClick(Kestrava& app, int column) {
    static int clicks = 0;
    POINT at = app.HeaderPoint(column);
    at.x += ++clicks % 2 ? -12 : 12;
    ClickAt(app.Header(), at);
}

// Up, then down on the same header; the modes and the selection go with their rows, the totals
// stay, and the list is saved as shown. A new row ends the order.
TEST(KestravaUndo, HeaderClicksSortUpThenDownAndTheListIsSavedAsShown) {
    Kestrava app(Lists, false, FourRows);
    ASSERT_TRUE(app.Ready());
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 4; }));
    const Texts totals = app.Totals();
    ClickAt(app.Control(TradeList), app.RowPoint(1)); // iron
    ASSERT_TRUE(WaitUntil([&] { return app.Selected() == 1; }));
    const struct {
        Texts wares;
        int arrow, selected;
    } clicks[] = {{{"iron", "Salt", "Amber", "pepper"}, 1, 0},
                  {{"Salt", "Amber", "iron", "pepper"}, -1, 2}};
    for (const auto& click : clicks) {
        HeaderClick(app, YieldColumn);
        EXPECT_TRUE(WaitUntil([&] { return Wares(app) == click.wares; })) << Wares(app)[0];
        EXPECT_EQ(click.arrow, app.SortArrow(YieldColumn));
        EXPECT_EQ(0, app.SortArrow(0));
        EXPECT_EQ(click.selected, app.Selected());
        EXPECT_EQ(totals, app.Totals());
        EXPECT_EQ("Kestrava - four.kvl*", Title(app));
    }
    ASSERT_TRUE(app.FileDialog(MenuSaveList, "Save List", "sorted"));
    EXPECT_TRUE(WaitUntil([&] { return Title(app) == "Kestrava - sorted.kvl"; }));
    EXPECT_EQ(ListFile({Salt, Amber, Iron, Pepper}), app.FileRead("Saved-Lists/sorted.kvl"));
    HeaderClick(app, 0); // the wares, without case
    EXPECT_TRUE(WaitUntil([&] { return Wares(app) == Texts{"Amber", "iron", "pepper", "Salt"}; }));
    EXPECT_EQ(1, app.SortArrow(0));
    EXPECT_EQ(0, app.SortArrow(YieldColumn));
    app.RowAdd("Wax", "1", "1", "1", "1");
    EXPECT_EQ("Wax", app.Cell(4, 0));
    EXPECT_EQ(0, app.SortArrow(0));
}

// Every kind of change, undone back to the start by Ctrl+Z and the menu, then redone by Ctrl+Y:
// each step brings back exactly what was shown before it, and the saved lists say the modes
// came back too. Ctrl+Z in an entry field is the field's own.
TEST(KestravaUndo, EveryChangeUndoesAndRedoesToWhatWasShown) {
    Kestrava app(Lists, false, FourRows);
    ASSERT_TRUE(app.Ready());
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 4; }));
    ClickAt(app.Control(TradeList), app.RowPoint(2));
    ASSERT_TRUE(WaitUntil([&] { return app.Selected() == 2; }));
    std::vector<Shown> states{ShownOf(app)};
    const auto changed = [&](const std::function<bool()>& done, const char* what) {
        EXPECT_TRUE(WaitUntil(done)) << what;
        states.push_back(ShownOf(app));
    };
    app.RowAdd("Wax", "1", "1", "1", "1");
    changed([&] { return app.Rows() == 5; }, "transfer");
    ClickAt(app.Control(TradeList), app.RowPoint(1));
    ASSERT_TRUE(WaitUntil([&] { return app.Selected() == 1; }));
    states.back() = ShownOf(app); // a selection is no change, but undoing the delete brings it
    app.Keys({VK_DELETE});
    changed([&] { return app.Rows() == 4; }, "delete");
    HeaderClick(app, YieldColumn);
    changed([&] { return app.SortArrow(YieldColumn) == 1; }, "sort");
    app.Menu(MenuClearList);
    changed([&] { return app.Rows() == 0; }, "clear");
    ASSERT_TRUE(app.FileDialog(MenuOpenList, "Load List", "two.kvl"));
    changed([&] { return app.Rows() == 2; }, "open");
    ASSERT_TRUE(app.FileDialog(MenuImportCsv, "Import CSV", "hand.csv"));
    changed([&] { return app.Rows() == 1 && app.Cell(0, 0) == "Gold"; }, "import");
    app.Menu(MenuReopenSession);
    changed([&] { return app.Rows() == 1 && app.Cell(0, 0) == "Amber"; }, "reopen");

    // Typing undone in the ware field leaves the list alone.
    ASSERT_TRUE(app.ClickInto(app.Control(WareField)));
    const std::string ware = app.Text(WareField);
    TypeKeys("Gold");
    EXPECT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Gold"; }));
    app.Keys({'Z'}, false, true);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(WareField) == ware; })) << app.Text(WareField);
    EXPECT_EQ(states.back(), ShownOf(app));

    ASSERT_TRUE(app.TabTo(TradeList));
    for (size_t i = states.size() - 1; i > 0; --i) {
        if (i == 3)
            app.Menu(MenuUndo);
        else
            app.Keys({'Z'}, false, true);
        EXPECT_TRUE(WaitUntil([&] { return ShownOf(app) == states[i - 1]; })) << "undo " << i;
        EXPECT_EQ("Kestrava - Last session.kvl*", Title(app));
    }
    ASSERT_TRUE(app.FileDialog(MenuSaveList, "Save List", "undone"));
    EXPECT_TRUE(WaitUntil([&] { return Title(app) == "Kestrava - undone.kvl"; }));
    EXPECT_EQ(app.FileRead(FourRows), app.FileRead("Saved-Lists/undone.kvl"));
    ASSERT_TRUE(app.TabTo(TradeList));
    for (size_t i = 1; i < states.size(); ++i) {
        app.Keys({'Y'}, false, true);
        EXPECT_TRUE(WaitUntil([&] { return ShownOf(app) == states[i]; })) << "redo " << i;
    }
    EXPECT_EQ("Kestrava - undone.kvl*", Title(app));
    ASSERT_TRUE(app.FileDialog(MenuSaveList, "Save List", "redone"));
    EXPECT_TRUE(WaitUntil([&] { return Title(app) == "Kestrava - redone.kvl"; }));
    EXPECT_EQ(app.FileRead("Saved-Lists/Last session.kvl"), app.FileRead("Saved-Lists/redone.kvl"));
    // The open from the command line is a step too: undone, the list is empty as at the start.
    for (size_t i = 1; i <= states.size(); ++i)
        app.Menu(MenuUndo);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 0 && app.Totals() == Texts(8, "0"); }));
}

} // namespace
