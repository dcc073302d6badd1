#include "formats/ListFile.h"
#include "formats/EntryFile.h"

#include "app/Trade.h"
#include "app/TradeList.h"
#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

// Computes an entry of `units` bought for 10 each and transfers it.
static void AddRow(MemorySheet& s, const std::string& ware, int units, bool inAmounts) {
    ClearEntry(s.fields);
    const std::string n = std::to_string(units), cost = std::to_string(units * 10);
    s.fields.Set({{Field::Ware, ware.c_str()},
                  {Field::BuyUnits, n.c_str()},
                  {Field::BuyCost, cost.c_str()},
                  {Field::SellUnits, n.c_str()},
                  {Field::Yield, inAmounts ? "2" : "20"}});
    s.fields.inAmounts = inAmounts;
    Compute(s.fields);
    TransferEntry(s.sheet);
}

TEST(ListFileSave, WritesTheExampleAndTotalsAsNumbersOfTheirKindUnderTheRightName) {
    // The name chosen, then the list and entry files saved under it, sorted.
    const char* cases[][3] = {{"week", "week.kve", "week.kvl"},
                              {"week.kvl.old", "week.kvl.old", "week.kvl.old.kve"},
                              {"trade.KVE", "trade.KVE.kve", "trade.KVE.kvl"}};
    for (const auto& c : cases) {
        TestFolder folder;
        MemorySheet s;
        MemoryPrompt prompt(folder.Path(c[0]));
        SaveList(s.sheet, prompt);
        SaveEntry(s.fields, prompt);
        EXPECT_EQ(folder.Names(), (Texts{c[1], c[2]})) << c[0];
    }
    TestFolder folder;
    MemorySheet s;
    AddRow(s, "Ware", 10, true);
    MemoryPrompt prompt(folder.Path("week.kvl"));
    SaveList(s.sheet, prompt);
    EXPECT_EQ(folder.Read("week.kvl"),
              CrLfLines({"1", "Ware", "10", "100.0000000000", "12.0000000000", "2.0000000000", "10",
                         "120.0000000000", "20.0000000000", "20.0000000000", "1", "10",
                         "100.0000000000", "12.0000000000", "2.0000000000", "20.0000000000",
                         "20.0000000000", "10", "120.0000000000"}));
    EXPECT_EQ(prompt.questions, Texts{"Save List|" + CurrentDirectory() +
                                      "Saved-Lists\\New.kvl|Kestrava list (*.kvl)|*.kvl"});

    MemorySheet totals;
    totals.Totals({"2.5", "12", "abc", "", "7.25", "1e2", "3.5", "99.5x"});
    prompt.answer = folder.Path("t.kvl");
    SaveList(totals.sheet, prompt);
    EXPECT_EQ(folder.Read("t.kvl"),
              CrLfLines({"0", "2", "12.0000000000", "0.0000000000", "0.0000000000", "7.2500000000",
                         "100.0000000000", "4", "99.5000000000"}));
}

TEST(ListFileRoundTrip, RowsModesAndTotalsComeBackAndReplaceTheList) {
    for (int rows : {0, 3, 300, 10000}) {
        TestFolder folder;
        MemorySheet saved, opened;
        for (int i = 0; i < rows; ++i)
            AddRow(saved, "ware " + std::to_string(i), i % 7 + 1, i % 3 != 1);
        AddRow(opened, "old", 1, false);
        opened.fields.texts[Field::Ware] = "typed";
        MemoryPrompt prompt(folder.Path("list.kvl"));
        SaveList(saved.sheet, prompt);
        OpenList(opened.sheet, prompt);

        const std::string bytes = folder.Read("list.kvl");
        EXPECT_EQ(size_t(std::count(bytes.begin(), bytes.end(), '\n')), size_t(rows) * 10 + 9);
        EXPECT_EQ(opened.table.rows, saved.table.rows) << rows;
        EXPECT_EQ(opened.modes, saved.modes) << rows;
        // A total shown "0" comes back as a number of its kind.
        EXPECT_EQ(opened.Totals(), rows ? saved.Totals() : ZeroTotals) << rows;
        EXPECT_EQ(opened.fields.texts[Field::Ware], "typed"); // the entry is not touched
    }
}

TEST(ListFileOpen, RowCountIsTrustedOnlyAsFarAsTheFileGoes) {
    const auto row = [](const char* mode) {
        return CrLfLines({"W", "1", "2", "3", "4", "5", "6", "7", "8", mode});
    };
    const std::string totals = CrLfLines({"a", "b", "c", "d", "e", "f", "g", "h"});
    const struct {
        std::string bytes;
        YieldModes modes;
        const char* firstTotal;
    } cases[] = {
        {"abc\r\n" + totals, {}, "a"},
        {"-3\r\n" + row("1") + totals, {}, "W"},
        {"2147483647\r\n" + row("1") + row("1"), {1, 1}, ""},
        // Any non-zero mode is amounts; a file ending inside a row adds it with empty cells.
        {"4\r\n" + row("0") + row("256") + row("x") + "X\r\n", {0, 1, 0, 0}, ""},
    };
    for (const auto& c : cases) {
        TestFolder folder;
        folder.Write("l.kvl", c.bytes);
        MemorySheet s;
        AddRow(s, "old", 1, true);
        MemoryPrompt prompt(folder.Path("l.kvl"));
        OpenList(s.sheet, prompt);
        EXPECT_EQ(s.modes, c.modes) << c.bytes;
        EXPECT_EQ(s.table.rows.size(), c.modes.size()) << c.bytes;
        EXPECT_EQ(s.Totals()[0], c.firstTotal) << c.bytes;
    }
}

TEST(SavedFileFailures, FailureLeavesFilesListAndEntryAsTheyWere) {
    TestFolder folder;
    const std::string old = CrLfLines({"0", "1", "2", "3", "4", "5", "6", "7", "8"});
    folder.Write("week.kvl", old);
    folder.Write("week.kve", old);
    for (const char* name : {"week.kvl.kvtmp", "week.kve.kvtmp", "box.kvl", "box.kve"})
        std::filesystem::create_directory(folder.Path(name));
    folder.Write("box.kvl/inside", "x");
    MemorySheet s;
    AddRow(s, "kept", 3, false);
    const auto rows = s.table.rows;
    const auto fields = s.fields.texts;
    // No such folder; a temporary that cannot be written; a target that is a folder.
    const std::string save = "ERROR: Can't save this file!";
    for (std::string answer :
         {folder.Path("missing") + "/week", folder.Path("week"), folder.Path("box")}) {
        MemoryPrompt prompt(answer);
        SaveList(s.sheet, prompt);
        SaveEntry(s.fields, prompt);
        OpenList(s.sheet, prompt);
        OpenEntry(s.fields, prompt);
        EXPECT_EQ(prompt.messages, (Texts{save, save, "ERROR: Can't load this file!",
                                          "ERROR: Can't open this file!"}));
    }
    EXPECT_EQ(folder.Read("week.kvl"), old);
    EXPECT_EQ(folder.Read("week.kve"), old);
    EXPECT_EQ(folder.Names(), (Texts{"box.kve", "box.kvl", "week.kve", "week.kve.kvtmp", "week.kvl",
                                     "week.kvl.kvtmp"}));
    EXPECT_EQ(s.table.rows, rows);
    EXPECT_EQ(s.modes, YieldModes{0});
    EXPECT_EQ(s.fields.texts, fields);
    EXPECT_FALSE(s.fields.inAmounts);
}
