// The trade list and the list files over the real list view give what they give over the
// in-memory table.
#include "toolkit/Widgets.h"

#include "app/Trade.h"
#include "app/TradeList.h"
#include "formats/ListFile.h"
#include "support/ListViewTable_win32.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"
#include "support/WidgetTestUtil_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int TestWindow = 9;
const int List = 40;

class ListViewTableTest : public ::testing::Test {
  protected:
    ListViewTable table{List};
    void SetUp() override {
        ASSERT_NE(WidgetTestWindow(TestWindow, 800, 300), nullptr);
        ASSERT_NE(ListViewWidgetCreate(List, 0, 0, 780, 280, "Ware", 80, 0x40010000), 0);
        for (int column = 1; column < 9; ++column)
            WidgetAddColumn(List, column, "cell", 80);
    }
    void TearDown() override { WindowClose(TestWindow); }
};

void TablesCompare(TradeTable& real, TradeTable& memory) {
    ASSERT_EQ(real.RowCount(), memory.RowCount());
    for (int row = 0; row < real.RowCount(); ++row)
        for (int column = 0; column < 9; ++column)
            EXPECT_EQ(real.CellGetText(row, column), memory.CellGetText(row, column))
                << row << ", " << column;
}

TEST_F(ListViewTableTest, ListFileRoundTripOverTheControl) {
    TestFolder folder;
    MemorySheet source;
    const char* wares[] = {"Iron", "Wool with a rather long name that fills the cell", "Salt"};
    for (int i = 0; i < 3; ++i) {
        ClearEntry(source.fields);
        source.fields.Set({{Field::Ware, wares[i]},
                           {Field::BuyUnits, "10"},
                           {Field::BuyCost, "100"},
                           {Field::SellUnits, "7"},
                           {Field::Yield, "2"}});
        source.fields.inAmounts = i != 1;
        Compute(source.fields);
        TransferEntry(source.sheet);
    }
    MemoryPrompt prompt;
    prompt.answer = folder.Path("list.kvl");
    SaveList(source.sheet, prompt);

    MemoryFields fields;
    YieldModes modes;
    TradeSheet real{fields, table, modes};
    table.RowAdd(0, "left over");
    OpenList(real, prompt);
    EXPECT_TRUE(prompt.messages.empty());
    TablesCompare(table, source.table);
    EXPECT_EQ(modes, source.modes);

    // And back out again: the same bytes.
    prompt.answer = folder.Path("again.kvl");
    SaveList(real, prompt);
    EXPECT_EQ(folder.Read("again.kvl"), folder.Read("list.kvl"));
}

} // namespace
