#include "formats/EntryFile.h"

#include "app/Trade.h"
#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

const Field EntryFields[] = {Field::Ware,      Field::BuyUnits,  Field::BuyCost,
                             Field::SellUnits, Field::Yield,     Field::UnitPrice,
                             Field::SellPrice, Field::UnitYield, Field::YieldAmount,
                             Field::YieldPercent};

// The example entry: 10 units bought for 100, 10 to sell, 2 per unit, computed.
MemoryFields ExampleEntry() {
    MemoryFields fields;
    ClearEntry(fields);
    fields.Set({{Field::BuyUnits, "10"}, {Field::BuyCost, "100"}, {Field::SellUnits, "10"},
                {Field::Yield, "2"}});
    fields.inAmounts = true;
    Compute(fields);
    return fields;
}

const std::string ExampleBytes =
    CrLfLines({"Ware", "10", "100.0000000000", "10", "1", "2.0000000000", "12.0000000000",
               "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"});

} // namespace

TEST(EntryFileSave, WritesTheElevenLinesOfTheExample) {
    TestFolder folder;
    MemoryFields fields = ExampleEntry();
    MemoryPrompt prompt;
    prompt.answer = folder.Path("trade.kve");
    SaveEntry(fields, prompt);

    EXPECT_EQ(folder.Read("trade.kve"), ExampleBytes);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"trade.kve"}); // no temporary left
    EXPECT_TRUE(prompt.messages.empty());
    ASSERT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.questions[0].kind, "save");
    EXPECT_EQ(prompt.questions[0].title, "Save Entry");
    EXPECT_EQ(prompt.questions[0].defaultPath, CurrentDirectory() + "Saved-Entrys\\New.kve");
    EXPECT_EQ(prompt.questions[0].pattern, "Kestrava entry (*.kve)|*.kve");
}

TEST(EntryFileSave, AppendsTheExtensionUnlessTheNamePartHoldsIt) {
    const struct {
        const char* chosen;
        const char* stored;
    } cases[] = {
        {"trade", "trade.kve"},
        {"trade.kve", "trade.kve"},
        {"trade.kve.bak", "trade.kve.bak"},
        {"trade.KVE", "trade.KVE.kve"},
        {"my.kvetrade", "my.kvetrade"},
    };
    for (const auto& c : cases) {
        TestFolder folder;
        MemoryFields fields = ExampleEntry();
        MemoryPrompt prompt;
        prompt.answer = folder.Path(c.chosen);
        SaveEntry(fields, prompt);
        EXPECT_EQ(folder.Names(), std::vector<std::string>{c.stored}) << c.chosen;
    }

    // A folder named like an entry file does not count: only the file's own name does.
    TestFolder folder;
    std::filesystem::create_directory(folder.Path("old.kve"));
    MemoryFields fields = ExampleEntry();
    MemoryPrompt prompt;
    prompt.answer = folder.Path("old.kve") + "/trade";
    SaveEntry(fields, prompt);
    EXPECT_EQ(folder.Read("old.kve/trade.kve"), ExampleBytes);
}

TEST(EntryFileRoundTrip, GivesBackEveryTextAndTheMode) {
    for (bool inAmounts : {true, false}) {
        TestFolder folder;
        MemoryFields saved;
        const char* texts[] = {"Green tea, 1st flush", "2.5", "abc", "", "-0",
                               "1e3",                  "x y", " 7", "0.1", "nan"};
        for (size_t i = 0; i < 10; ++i)
            saved.texts[EntryFields[i]] = texts[i];
        saved.inAmounts = inAmounts;
        MemoryPrompt prompt;
        prompt.answer = folder.Path("e.kve");
        SaveEntry(saved, prompt);

        // Line 5 holds the mode.
        const std::string bytes = folder.Read("e.kve");
        EXPECT_NE(bytes.find(inAmounts ? "\r\n1\r\n-0\r\n" : "\r\n0\r\n-0\r\n"),
                  std::string::npos);

        MemoryFields opened;
        ClearEntry(opened);
        opened.inAmounts = !inAmounts;
        OpenEntry(opened, prompt);
        for (Field field : EntryFields)
            EXPECT_EQ(opened.texts[field], saved.texts[field]);
        EXPECT_EQ(opened.inAmounts, inAmounts);
        EXPECT_TRUE(prompt.messages.empty());
        EXPECT_EQ(prompt.questions[1].title, "Load Entry");
        EXPECT_EQ(prompt.questions[1].defaultPath, CurrentDirectory() + "Saved-Entrys\\");
        EXPECT_EQ(prompt.questions[1].pattern, "Kestrava entry (*.kve)|*.kve");
    }
}

TEST(EntryFileOpen, ShortAndLongFilesFillWhatTheyHold) {
    const struct {
        const char* bytes;
        const char* ware;
        const char* yield;
        const char* yieldPercent;
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
        MemoryPrompt prompt;
        prompt.answer = folder.Path("e.kve");
        OpenEntry(fields, prompt);
        EXPECT_EQ(fields.texts[Field::Ware], c.ware) << c.bytes;
        EXPECT_EQ(fields.texts[Field::Yield], c.yield) << c.bytes;
        EXPECT_EQ(fields.texts[Field::YieldPercent], c.yieldPercent) << c.bytes;
        EXPECT_EQ(fields.inAmounts, c.inAmounts) << c.bytes;
    }
}

TEST(EntryFileCommands, CancellingDoesNothing) {
    TestFolder folder;
    MemoryFields fields = ExampleEntry();
    const auto before = fields.texts;
    MemoryPrompt prompt; // answers with the empty text
    SaveEntry(fields, prompt);
    OpenEntry(fields, prompt);
    EXPECT_EQ(prompt.questions.size(), 2u);
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(fields.texts, before);
    EXPECT_TRUE(folder.Names().empty());
}

TEST(EntryFileFailures, SavingLeavesTheOldFileAndReportsOnce) {
    TestFolder folder;
    const std::string old = "old contents\r\nthat must survive\r\n";

    // The folder does not exist.
    MemoryFields fields = ExampleEntry();
    MemoryPrompt prompt;
    prompt.answer = folder.Path("missing") + "/trade.kve";
    SaveEntry(fields, prompt);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"ERROR: Can't save this file!"});
    EXPECT_TRUE(folder.Names().empty());

    // The file cannot be written where it goes: the old one stays byte for byte.
    folder.Write("trade.kve", old);
    std::filesystem::create_directory(folder.Path("trade.kve.kvtmp"));
    prompt.messages.clear();
    prompt.answer = folder.Path("trade.kve");
    SaveEntry(fields, prompt);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"ERROR: Can't save this file!"});
    EXPECT_EQ(folder.Read("trade.kve"), old);

    // The target is a folder: the written file cannot take its place and is removed again.
    std::filesystem::remove(folder.Path("trade.kve.kvtmp"));
    std::filesystem::create_directory(folder.Path("box.kve"));
    folder.Write("box.kve/inside", "x");
    prompt.messages.clear();
    prompt.answer = folder.Path("box.kve");
    SaveEntry(fields, prompt);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"ERROR: Can't save this file!"});
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"box.kve", "trade.kve"}));
}

TEST(EntryFileFailures, OpeningAMissingFileKeepsTheFields) {
    TestFolder folder;
    MemoryFields fields = ExampleEntry();
    const auto before = fields.texts;
    MemoryPrompt prompt;
    prompt.answer = folder.Path("nothing.kve");
    OpenEntry(fields, prompt);
    EXPECT_EQ(prompt.messages, std::vector<std::string>{"ERROR: Can't open this file!"});
    EXPECT_EQ(fields.texts, before);
    EXPECT_TRUE(fields.inAmounts);
}
