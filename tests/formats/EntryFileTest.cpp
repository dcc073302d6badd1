#include "formats/EntryFile.h"

#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

// Every text comes back as saved, however odd, and so does the yield mode; only the file's own
// name counts for the extension, not a folder named like an entry. The bytes of a worked
// example are compared in the program's end-to-end test.
TEST(EntryFile, EveryTextAndTheModeComeBackUnderTheRightName) {
    TestFolder folder;
    MemoryFields fields, opened;
    const char* odd[] = {
        "Green tea, 1st flush", "2.5", "abc", "", "-0", "1e3", "x y", " 7", "0.1", "nan"};
    for (int i = 0; i < 10; ++i) // Ware to YieldPercent
        fields.texts[Field(i)] = odd[i];
    fields.inAmounts = false;
    std::filesystem::create_directory(folder.Path("old.kve"));
    MemoryPrompt prompt(folder.Path("old.kve") + "/trade");
    SaveEntry(fields, prompt);
    prompt.answer += ".kve";
    OpenEntry(opened, prompt);
    EXPECT_EQ(opened.texts, fields.texts);
    EXPECT_FALSE(opened.inAmounts);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"old.kve"}); // no temporary left
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(prompt.questions[0], "Save Entry|" + CurrentDirectory() +
                                       "Saved-Entrys\\New.kve|Kestrava entry (*.kve)|*.kve");
}

// Missing lines read as empty and lines past the eleventh are ignored; the fifth line holds
// the yield mode: 0 is percent, any other number amounts.
TEST(EntryFileOpen, ShortLongAndOddFilesOpenLeniently) {
    TestFolder folder;
    MemoryPrompt prompt(folder.Path("e.kve"));
    MemoryFields fields;
    fields.Set({{Field::Yield, "old"}, {Field::YieldPercent, "old"}});
    folder.Write("e.kve", "Tea\r\n1\r\n2\r\n3\r\n1\r\n9\r\n");
    OpenEntry(fields, prompt);
    EXPECT_EQ(fields.texts[Field::Yield] + "|" + fields.texts[Field::YieldPercent], "9|");
    EXPECT_TRUE(fields.inAmounts);
    for (const char* mode : {"0", "2", "-1"}) {
        folder.Write("e.kve",
                     CrLfLines({"A", "1", "2", "3", mode, "4", "5", "6", "7", "8", "9", "x"}));
        OpenEntry(fields, prompt);
        EXPECT_EQ(fields.texts[Field::YieldPercent], "9");
        EXPECT_EQ(fields.inAmounts, mode[0] != '0') << mode;
    }
}
