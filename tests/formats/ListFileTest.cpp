#include "formats/ListFile.h"

#include "app/Trade.h"
#include "app/TradeList.h"
#include "runtime/NumberText.h"
#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;
const Texts ZeroTotals{"0",            "0.0000000000", "0.0000000000", "0.0000000000",
                       "0.0000000000", "0.0000000000", "0",            "0.0000000000"};

// Computes an entry of `units` bought for 10 each and transfers it.
void AddRow(MemorySheet& s, const std::string& ware, int units, bool inAmounts) {
    ClearEntry(s.fields);
    s.fields.Set({{Field::BuyUnits, NumberToText(units).c_str()},
                  {Field::SellUnits, NumberToText(units).c_str()},
                  {Field::Yield, inAmounts ? "2" : "20"}});
    s.fields.texts[Field::Ware] = ware;
    s.fields.texts[Field::BuyCost] = NumberToText(units * 10);
    s.fields.inAmounts = inAmounts;
    Compute(s.fields);
    TransferEntry(s.sheet);
}

size_t LineCount(const std::string& bytes) {
    size_t lines = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2))
        ++lines;
    return lines;
}

// Opens `bytes` as a list file into `s`.
void OpenBytes(MemorySheet& s, const std::string& bytes) {
    TestFolder folder;
    folder.Write("l.kvl", bytes);
    MemoryPrompt prompt(folder.Path("l.kvl"));
    OpenList(s.sheet, prompt);
    EXPECT_TRUE(prompt.messages.empty());
}

} // namespace

TEST(ListFileSave, WritesTheOneRowExampleAndTotalsAsNumbersOfTheirKind) {
    TestFolder folder;
    MemorySheet s;
    AddRow(s, "Ware", 10, true);
    MemoryPrompt prompt(folder.Path("week.kvl"));
    SaveList(s.sheet, prompt);
    EXPECT_EQ(folder.Read("week.kvl"),
              CrLfLines({"1", "Ware", "10", "100.0000000000", "12.0000000000", "2.0000000000",
                         "10", "120.0000000000", "20.0000000000", "20.0000000000", "1", "10",
                         "100.0000000000", "12.0000000000", "2.0000000000", "20.0000000000",
                         "20.0000000000", "10", "120.0000000000"}));
    EXPECT_EQ(prompt.questions[0].title, "Save List");
    EXPECT_EQ(prompt.questions[0].defaultPath, CurrentDirectory() + "Saved-Lists\\New.kvl");
    EXPECT_EQ(prompt.questions[0].pattern, "Kestrava list (*.kvl)|*.kvl");

    MemorySheet totals;
    const char* shown[] = {"2.5", "12", "abc", "", "7.25", "1e2", "3.5", "99.5x"};
    for (size_t i = 0; i < 8; ++i)
        totals.fields.texts[TotalFields[i]] = shown[i];
    prompt.answer = folder.Path("t.kvl");
    SaveList(totals.sheet, prompt);
    EXPECT_EQ(folder.Read("t.kvl"),
              CrLfLines({"0", "2", "12.0000000000", "0.0000000000", "0.0000000000",
                         "7.2500000000", "100.0000000000", "4", "99.5000000000"}));
    EXPECT_EQ(folder.Names(), (Texts{"t.kvl", "week.kvl"}));
}

TEST(ListFileSave, AppendsTheExtensionUnlessTheNamePartHoldsIt) {
    const struct {
        const char *chosen, *stored;
    } cases[] = {{"week", "week.kvl"},
                 {"week.kvl", "week.kvl"},
                 {"week.kvl.old", "week.kvl.old"},
                 {"week.KVL", "week.KVL.kvl"},
                 {"week.kve", "week.kve.kvl"}};
    for (const auto& c : cases) {
        TestFolder folder;
        MemorySheet s;
        MemoryPrompt prompt(folder.Path(c.chosen));
        SaveList(s.sheet, prompt);
        EXPECT_EQ(folder.Names(), Texts{c.stored}) << c.chosen;
    }
}

TEST(ListFileRoundTrip, RowsModesAndTotalsComeBackAndReplaceTheList) {
    const struct {
        int rows;
        size_t lines;
    } cases[] = {{0, 9}, {3, 39}, {300, 3009}, {10000, 100009}};
    for (const auto& c : cases) {
        TestFolder folder;
        MemorySheet saved, opened;
        for (int i = 0; i < c.rows; ++i)
            AddRow(saved, "ware " + std::to_string(i), i % 7 + 1, i % 3 != 1);
        for (int i = 0; i < 5; ++i)
            AddRow(opened, "old", 1, false);
        opened.fields.texts[Field::Ware] = "typed";
        MemoryPrompt prompt(folder.Path("list.kvl"));
        SaveList(saved.sheet, prompt);
        OpenList(opened.sheet, prompt);
        EXPECT_TRUE(prompt.messages.empty());

        EXPECT_EQ(LineCount(folder.Read("list.kvl")), c.lines);
        EXPECT_EQ(opened.table.rows, saved.table.rows) << c.rows;
        EXPECT_EQ(opened.modes, saved.modes) << c.rows;
        // A total shown "0" comes back as a number of its kind.
        EXPECT_EQ(opened.Totals(), c.rows ? saved.Totals() : ZeroTotals) << c.rows;
        EXPECT_EQ(opened.fields.texts[Field::Ware], "typed"); // the entry is not touched
    }
}

TEST(ListFileOpen, RowCountIsTrustedOnlyAsFarAsTheFileGoes) {
    const std::string row = CrLfLines({"W", "1", "2", "3", "4", "5", "6", "7", "8", "1"});
    const std::string totals = CrLfLines({"a", "b", "c", "d", "e", "f", "g", "h"});
    const struct {
        std::string bytes;
        size_t rows;
        const char *firstTotal, *lastTotal;
    } cases[] = {
        // Not a number, negative or empty: no rows, the next lines are the totals.
        {"abc\r\n" + totals, 0, "a", "h"},
        {"-3\r\n" + row + totals, 0, "W", "7"},
        {"", 0, "", ""},
        // Far more rows announced than held: only what the file holds, no empty rows.
        {"2147483647\r\n" + row + row, 2, "", ""},
        {"1000\r\n" + row, 1, "", ""},
        // 300 does not wrap around to 44.
        {"300\r\n" + row, 1, "", ""},
        // Lines after the last totals line are ignored.
        {"1\r\n" + row + totals + "more\r\n", 1, "a", "h"},
    };
    for (const auto& c : cases) {
        MemorySheet s;
        AddRow(s, "old", 1, true);
        OpenBytes(s, c.bytes);
        ASSERT_EQ(s.table.rows.size(), c.rows) << c.bytes;
        EXPECT_EQ(s.modes.size(), c.rows);
        EXPECT_EQ(s.fields.texts[Field::TotalBuyUnits], c.firstTotal) << c.bytes;
        EXPECT_EQ(s.fields.texts[Field::TotalSellPrice], c.lastTotal) << c.bytes;
    }

    // Ending inside a row: that row is added with empty cells and mode 0.
    MemorySheet s;
    OpenBytes(s, "2\r\n" + row + "X\r\n");
    EXPECT_EQ(s.table.CellGetText(1, 0), "X");
    for (int column = 1; column < 9; ++column)
        EXPECT_EQ(s.table.CellGetText(1, column), "");
    EXPECT_EQ(s.modes, (YieldModes{1, 0}));
}

TEST(ListFileOpen, ModeIsAmountForAnyNonZeroNumber) {
    std::string bytes = "4\r\n";
    for (const char* mode : {"0", "1", "256", "x"})
        bytes += CrLfLines({"W", "1", "2", "3", "4", "5", "6", "7", "8", mode});
    MemorySheet s;
    OpenBytes(s, bytes);
    EXPECT_EQ(s.modes, (YieldModes{0, 1, 1, 0}));
    // A stored percent row loads its percentage back into the yield.
    s.table.selected = 0;
    LoadRowIntoEntry(s.sheet);
    EXPECT_EQ(s.fields.texts[Field::Yield], "8");
    EXPECT_FALSE(s.fields.inAmounts);
}

TEST(ListFileFailures, CancelOrFailureLeavesFileAndListAsTheyWere) {
    TestFolder folder;
    const std::string old = CrLfLines({"0", "1", "2", "3", "4", "5", "6", "7", "8"});
    folder.Write("week.kvl", old);
    MemorySheet s;
    AddRow(s, "kept", 3, false);
    const auto rows = s.table.rows;
    const auto fields = s.fields.texts;
    const auto modes = s.modes;

    MemoryPrompt prompt; // cancelled
    SaveList(s.sheet, prompt);
    OpenList(s.sheet, prompt);
    EXPECT_EQ(prompt.questions[1].title, "Load List");
    EXPECT_EQ(prompt.questions[1].defaultPath, CurrentDirectory() + "Saved-Lists\\");
    EXPECT_EQ(prompt.questions[1].pattern, "Kestrava list (*.kvl)|*.kvl");
    EXPECT_EQ(folder.Names(), Texts{"week.kvl"});

    prompt.answer = folder.Path("missing") + "/week.kvl";
    SaveList(s.sheet, prompt);
    std::filesystem::create_directory(folder.Path("week.kvl.kvtmp"));
    prompt.answer = folder.Path("week.kvl");
    SaveList(s.sheet, prompt);
    prompt.answer = folder.Path("nothing.kvl");
    OpenList(s.sheet, prompt);

    EXPECT_EQ(prompt.messages, (Texts{"ERROR: Can't save this file!", "ERROR: Can't save this file!",
                                      "ERROR: Can't load this file!"}));
    EXPECT_EQ(folder.Read("week.kvl"), old);
    EXPECT_EQ(folder.Names(), (Texts{"week.kvl", "week.kvl.kvtmp"}));
    EXPECT_EQ(s.table.rows, rows);
    EXPECT_EQ(s.modes, modes);
    EXPECT_EQ(s.fields.texts, fields);
}
