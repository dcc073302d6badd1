// A list file opens into the real list view as into the in-memory table, and saves back alike.
#include "toolkit/Widgets.h"

#include "app/Trade.h"
#include "app/TradeList.h"
#include "app/TradeWidgets.h"
#include "formats/ListFile.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

TEST(ListViewTable, ListFileRoundTripOverTheControl) {
    ASSERT_NE(WidgetTestWindow(9, 800, 300), nullptr);
    ASSERT_NE(ListViewWidgetCreate(40, 0, 0, 780, 280, "Ware", 80, 0x40010000), 0);
    for (int column = 1; column < 9; ++column)
        WidgetAddColumn(40, column, "cell", 80);
    TestFolder folder;
    MemorySheet source;
    for (const char* ware : {"Iron", "Wool with a rather long name that fills the cell", "Salt"}) {
        ClearEntry(source.fields);
        source.fields.Set({{Field::Ware, ware},
                           {Field::BuyUnits, "10"},
                           {Field::BuyCost, "100"},
                           {Field::SellUnits, "7"},
                           {Field::Yield, "2"}});
        source.fields.inAmounts = ware[0] != 'W';
        Compute(source.fields);
        TransferEntry(source.sheet);
    }
    MemoryPrompt prompt(folder.Path("list.kvl"));
    SaveList(source.sheet, prompt);

    MemoryFields fields;
    ListViewTable table{40};
    YieldModes modes;
    TradeSheet real{fields, table, modes};
    table.RowAdd(0, "left over");
    OpenList(real, prompt);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(modes, source.modes);
    ASSERT_EQ(table.RowCount(), source.table.RowCount());
    for (int row = 0; row < table.RowCount(); ++row)
        for (int column = 0; column < 9; ++column)
            EXPECT_EQ(table.CellGetText(row, column), source.table.CellGetText(row, column))
                << row << ", " << column;
    prompt.answer = folder.Path("again.kvl");
    SaveList(real, prompt);
    EXPECT_EQ(folder.Read("again.kvl"), folder.Read("list.kvl"));
    WindowClose(9);
}
