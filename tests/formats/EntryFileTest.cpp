#include "formats/EntryFile.h"

#include "app/Trade.h"
#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

// The example entry: 10 units bought for 100, 10 to sell, 2 per unit, computed.
MemoryFields ExampleEntry() {
    MemoryFields fields;
    ClearEntry(fields);
    fields.Set({{Field::BuyUnits, "10"}, {Field::BuyCost, "100"}, {Field::SellUnits, "10"},
                {Field::Yield, "2"}});
    Compute(fields);
    return fields;
}

const std::string ExampleBytes =
    CrLfLines({"Ware", "10", "100.0000000000", "10", "1", "2.0000000000", "12.0000000000",
               "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"});

} // namespace

TEST(EntryFileSave, WritesTheElevenLinesOfTheExample) {
    // Extension rules and failures are tested together with the list file's.
    TestFolder folder;
    MemoryFields fields = ExampleEntry();
    MemoryPrompt prompt(folder.Path("trade"));
    SaveEntry(fields, prompt);
    EXPECT_EQ(folder.Names(), Texts{"trade.kve"}); // no temporary left
    EXPECT_EQ(folder.Read("trade.kve"), ExampleBytes);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(prompt.questions[0].kind, "save");
    EXPECT_EQ(prompt.questions[0].title, "Save Entry");
    EXPECT_EQ(prompt.questions[0].defaultPath, CurrentDirectory() + "Saved-Entrys\\New.kve");
    EXPECT_EQ(prompt.questions[0].pattern, "Kestrava entry (*.kve)|*.kve");
    // A folder named like an entry file does not count: only the file's own name does.
    std::filesystem::create_directory(folder.Path("old.kve"));
    prompt.answer = folder.Path("old.kve") + "/trade";
    SaveEntry(fields, prompt);
    EXPECT_EQ(folder.Read("old.kve/trade.kve"), ExampleBytes);
}

TEST(EntryFileRoundTrip, GivesBackEveryTextAndTheMode) {
    const Field order[] = {Field::Ware,      Field::BuyUnits,  Field::BuyCost,  Field::SellUnits,
                           Field::Yield,     Field::UnitPrice, Field::SellPrice,
                           Field::UnitYield, Field::YieldAmount, Field::YieldPercent};
    const char* texts[] = {"Green tea, 1st flush", "2.5", "abc", "", "-0", "1e3", "x y", " 7",
                           "0.1", "nan"};
    for (bool inAmounts : {true, false}) {
        TestFolder folder;
        MemoryFields saved, opened;
        for (size_t i = 0; i < 10; ++i)
            saved.texts[order[i]] = texts[i];
        saved.inAmounts = inAmounts;
        MemoryPrompt prompt(folder.Path("e.kve"));
        SaveEntry(saved, prompt);
        // Line 5 holds the mode.
        EXPECT_NE(folder.Read("e.kve").find(inAmounts ? "\r\n1\r\n-0\r\n" : "\r\n0\r\n-0\r\n"),
                  std::string::npos);
        opened.inAmounts = !inAmounts;
        OpenEntry(opened, prompt);
        EXPECT_EQ(opened.texts, saved.texts);
        EXPECT_EQ(opened.inAmounts, inAmounts);
        EXPECT_TRUE(prompt.messages.empty());
        EXPECT_EQ(prompt.questions[1].title, "Load Entry");
        EXPECT_EQ(prompt.questions[1].defaultPath, CurrentDirectory() + "Saved-Entrys\\");
        EXPECT_EQ(prompt.questions[1].pattern, "Kestrava entry (*.kve)|*.kve");
    }
}

TEST(EntryFileOpen, ShortAndLongFilesFillWhatTheyHold) {
    const struct {
        const char *bytes, *ware, *yield, *yieldPercent;
        bool inAmounts;
    } cases[] = {
        {"", "", "", "", false},
        {"Tea\n5\n", "Tea", "", "", false},
        {"Tea\r1\r2\r3\r1\r9", "Tea", "9", "", true},
        {"A\r\n1\r\n2\r\n3\r\n7\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\nextra\r\n", "A", "4", "9", true},
        {"A\n1\n2\n3\nx\n4\n", "A", "4", "", false},
    };
    for (const auto& c : cases) {
        TestFolder folder;
        folder.Write("e.kve", c.bytes);
        MemoryFields fields = ExampleEntry();
        fields.inAmounts = !c.inAmounts;
        MemoryPrompt prompt(folder.Path("e.kve"));
        OpenEntry(fields, prompt);
        EXPECT_EQ(fields.texts[Field::Ware], c.ware) << c.bytes;
        EXPECT_EQ(fields.texts[Field::Yield], c.yield) << c.bytes;
        EXPECT_EQ(fields.texts[Field::YieldPercent], c.yieldPercent) << c.bytes;
        EXPECT_EQ(fields.inAmounts, c.inAmounts) << c.bytes;
    }
}
