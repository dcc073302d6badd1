#include "formats/ListFile.h"
#include "formats/EntryFile.h"

#include "app/Trade.h"
#include "app/TradeList.h"
#include "runtime/NumberText.h"
#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Texts = std::vector<std::string>;
const Texts ZeroTotals{"0",            "0.0000000000", "0.0000000000", "0.0000000000",
                       "0.0000000000", "0.0000000000", "0",            "0.0000000000"};

// Computes an entry of `units` bought for 10 each and transfers it.
void AddRow(MemorySheet& s, const std::string& ware, int units, bool inAmounts) {
    ClearEntry(s.fields);
    const std::string n = NumberToText(units), cost = NumberToText(units * 10);
    s.fields.Set({{Field::Ware, ware.c_str()}, {Field::BuyUnits, n.c_str()},
                  {Field::BuyCost, cost.c_str()}, {Field::SellUnits, n.c_str()},
                  {Field::Yield, inAmounts ? "2" : "20"}});
    s.fields.inAmounts = inAmounts;
    Compute(s.fields);
    TransferEntry(s.sheet);
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

TEST(ListFileSave, WritesTheExampleAndTotalsAsNumbersOfTheirKindUnderTheRightName) {
    // Entry files follow the same rule with their own extension.
    const struct {
        const char *chosen, *list, *entry;
    } cases[] = {{"week", "week.kvl", "week.kve"},
                 {"week.kvl", "week.kvl", "week.kvl.kve"},
                 {"week.kvl.old", "week.kvl.old", "week.kvl.old.kve"},
                 {"week.KVL", "week.KVL.kvl", "week.KVL.kve"},
                 {"trade.kve.bak", "trade.kve.bak.kvl", "trade.kve.bak"},
                 {"trade.KVE", "trade.KVE.kvl", "trade.KVE.kve"},
                 {"my.kvetrade", "my.kvetrade.kvl", "my.kvetrade"}};
    for (const auto& c : cases) {
        TestFolder folder;
        MemorySheet s;
        MemoryPrompt prompt(folder.Path(c.chosen));
        SaveList(s.sheet, prompt);
        SaveEntry(s.fields, prompt);
        Texts names{c.list, c.entry};
        std::sort(names.begin(), names.end());
        EXPECT_EQ(folder.Names(), names) << c.chosen;
    }
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

        const std::string bytes = folder.Read("list.kvl");
        EXPECT_EQ(size_t(std::count(bytes.begin(), bytes.end(), '\n')), c.lines);
        EXPECT_EQ(opened.table.rows, saved.table.rows) << c.rows;
        EXPECT_EQ(opened.modes, saved.modes) << c.rows;
        // A total shown "0" comes back as a number of its kind.
        EXPECT_EQ(opened.Totals(), c.rows ? saved.Totals() : ZeroTotals) << c.rows;
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
        const char *firstTotal, *lastTotal;
    } cases[] = {
        // Not a number, negative or empty: no rows, the next lines are the totals.
        {"abc\r\n" + totals, {}, "a", "h"},
        {"-3\r\n" + row("1") + totals, {}, "W", "7"},
        {"", {}, "", ""},
        // Far more rows announced than held: only what the file holds, no empty rows.
        {"2147483647\r\n" + row("1") + row("1"), {1, 1}, "", ""},
        {"1000\r\n" + row("1"), {1}, "", ""},
        // 300 does not wrap around to 44.
        {"300\r\n" + row("1"), {1}, "", ""},
        // Lines after the last totals line are ignored.
        {"1\r\n" + row("1") + totals + "more\r\n", {1}, "a", "h"},
        // The mode is amounts for any non-zero number.
        {"4\r\n" + row("0") + row("1") + row("256") + row("x"), {0, 1, 1, 0}, "", ""},
        // Ending inside a row: that row is added with empty cells and mode 0.
        {"2\r\n" + row("1") + "X\r\n", {1, 0}, "", ""},
    };
    for (const auto& c : cases) {
        MemorySheet s;
        AddRow(s, "old", 1, true);
        OpenBytes(s, c.bytes);
        EXPECT_EQ(s.modes, c.modes) << c.bytes;
        ASSERT_EQ(s.table.rows.size(), c.modes.size()) << c.bytes;
        EXPECT_EQ(s.fields.texts[Field::TotalBuyUnits], c.firstTotal) << c.bytes;
        EXPECT_EQ(s.fields.texts[Field::TotalSellPrice], c.lastTotal) << c.bytes;
        if (c.modes == YieldModes{1, 0}) {
            EXPECT_EQ(s.table.CellGetText(1, 0), "X");
            for (int column = 1; column < 9; ++column)
                EXPECT_EQ(s.table.CellGetText(1, column), "");
        }
    }
}

TEST(SavedFileFailures, CancelOrFailureLeavesFilesListAndEntryAsTheyWere) {
    TestFolder folder;
    const std::string old = CrLfLines({"0", "1", "2", "3", "4", "5", "6", "7", "8"});
    folder.Write("week.kvl", old);
    folder.Write("week.kve", old);
    MemorySheet s;
    AddRow(s, "kept", 3, false);
    const auto rows = s.table.rows;
    const auto fields = s.fields.texts;
    const auto modes = s.modes;
    const auto allCommands = [&](const std::string& answer) {
        MemoryPrompt prompt(answer);
        SaveList(s.sheet, prompt);
        SaveEntry(s.fields, prompt);
        OpenList(s.sheet, prompt);
        OpenEntry(s.fields, prompt);
        return prompt;
    };

    MemoryPrompt cancelled = allCommands("");
    EXPECT_EQ(cancelled.questions.size(), 4u);
    EXPECT_EQ(cancelled.questions[2].title, "Load List");
    EXPECT_EQ(cancelled.questions[2].defaultPath, CurrentDirectory() + "Saved-Lists\\");
    EXPECT_EQ(cancelled.questions[2].pattern, "Kestrava list (*.kvl)|*.kvl");
    EXPECT_TRUE(cancelled.messages.empty());
    EXPECT_EQ(folder.Names(), (Texts{"week.kve", "week.kvl"}));

    // A folder that does not exist; a temporary that cannot be written (the old file stays
    // byte for byte); a target that is a folder (the written temporary is removed again).
    const std::string save = "ERROR: Can't save this file!";
    for (const char* name : {"week.kvl.kvtmp", "week.kve.kvtmp", "box.kvl", "box.kve"})
        std::filesystem::create_directory(folder.Path(name));
    folder.Write("box.kvl/inside", "x");
    for (std::string answer : {folder.Path("missing") + "/week", folder.Path("week"),
                               folder.Path("box")})
        EXPECT_EQ(allCommands(answer).messages, (Texts{save, save, "ERROR: Can't load this file!",
                                                    "ERROR: Can't open this file!"}));
    EXPECT_EQ(folder.Read("week.kvl"), old);
    EXPECT_EQ(folder.Read("week.kve"), old);
    EXPECT_EQ(folder.Names(), (Texts{"box.kve", "box.kvl", "week.kve", "week.kve.kvtmp",
                                     "week.kvl", "week.kvl.kvtmp"}));
    EXPECT_EQ(s.table.rows, rows);
    EXPECT_EQ(s.modes, modes);
    EXPECT_EQ(s.fields.texts, fields);
    EXPECT_FALSE(s.fields.inAmounts);
}
