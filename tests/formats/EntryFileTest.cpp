#include "formats/EntryFile.h"

#include "app/Trade.h"
#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

TEST(EntryFile, SavesTheElevenLinesOfTheExampleAndOpensEveryTextAndTheModeBack) {
    TestFolder folder;
    MemoryFields fields, opened;
    ClearEntry(fields);
    fields.Set({{Field::BuyUnits, "10"},
                {Field::BuyCost, "100"},
                {Field::SellUnits, "10"},
                {Field::Yield, "2"}});
    Compute(fields);
    // Only the file's own name counts for the extension, not a folder named like an entry.
    std::filesystem::create_directory(folder.Path("old.kve"));
    MemoryPrompt prompt(folder.Path("old.kve") + "/trade");
    SaveEntry(fields, prompt);
    EXPECT_EQ(folder.Read("old.kve/trade.kve"),
              CrLfLines({"Ware", "10", "100.0000000000", "10", "1", "2.0000000000", "12.0000000000",
                         "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"}));
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.kve"}); // no temporary left
    EXPECT_EQ(prompt.questions[0], "Save Entry|" + CurrentDirectory() +
                                       "Saved-Entrys\\New.kve|Kestrava entry (*.kve)|*.kve");

    fields.Set({{Field::Ware, "Green tea, 1st flush"},
                {Field::BuyUnits, "2.5"},
                {Field::BuyCost, "abc"},
                {Field::SellUnits, ""},
                {Field::Yield, "-0"},
                {Field::UnitPrice, "1e3"},
                {Field::SellPrice, "x y"},
                {Field::UnitYield, " 7"},
                {Field::YieldAmount, "0.1"},
                {Field::YieldPercent, "nan"}});
    fields.inAmounts = false;
    prompt.answer = folder.Path("e.kve");
    SaveEntry(fields, prompt);
    OpenEntry(opened, prompt);
    EXPECT_EQ(opened.texts, fields.texts);
    EXPECT_FALSE(opened.inAmounts);
    EXPECT_TRUE(prompt.messages.empty());
}

TEST(EntryFileOpen, MissingLinesReadAsEmptyAndLinesPastTheEleventhAreIgnored) {
    TestFolder folder;
    MemoryFields fields;
    fields.Set({{Field::Yield, "old"}, {Field::YieldPercent, "old"}});
    fields.inAmounts = false;
    MemoryPrompt prompt(folder.Path("e.kve"));
    folder.Write("e.kve", "Tea\r\n1\r\n2\r\n3\r\n1\r\n9\r\n");
    OpenEntry(fields, prompt);
    EXPECT_EQ(fields.texts[Field::Yield], "9");
    EXPECT_EQ(fields.texts[Field::YieldPercent], "");
    EXPECT_TRUE(fields.inAmounts);
    folder.Write("e.kve", CrLfLines({"A", "1", "2", "3", "0", "4", "5", "6", "7", "8", "9", "x"}));
    OpenEntry(fields, prompt);
    EXPECT_EQ(fields.texts[Field::YieldPercent], "9");
    EXPECT_FALSE(fields.inAmounts);
}

// The fifth line holds the yield mode: 0 is percent, any other number amounts.
TEST(EntryFileOpen, ModeLineOtherThanZeroReadsAsAmounts) {
    TestFolder folder;
    MemoryPrompt prompt(folder.Path("e.kve"));
    for (const char* mode : {"0", "1", "2", "-1"}) {
        MemoryFields fields;
        fields.inAmounts = mode[0] == '0';
        folder.Write("e.kve", CrLfLines({"A", "1", "2", "3", mode}));
        OpenEntry(fields, prompt);
        EXPECT_EQ(fields.inAmounts, mode[0] != '0') << mode;
    }
}
