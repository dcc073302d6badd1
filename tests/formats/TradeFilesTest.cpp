// The entry and list files over in-memory fields and rows, saved into a folder of the test's.
#include "formats/EntryFile.h"
#include "formats/ListFile.h"
#include "formats/SavedFile.h"
#include "runtime/LineFile.h"

#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <sys/resource.h>
#endif

using Texts = std::vector<std::string>;

// Every text comes back as saved, however odd, and so does the yield mode; only the file's own
// name counts for the extension, not a folder named like an entry. Opening is lenient: missing
// lines read as empty, lines past the eleventh are ignored, and the fifth holds the yield mode
// (0 is percent, any other number amounts). The bytes of a worked example, and the folder the
// dialog offers, are checked in the program's end-to-end test.
TEST(EntryFile, EveryTextAndTheModeComeBackAndShortOrLongFilesOpenLeniently) {
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

    prompt.answer = folder.Path("e.kve");
    folder.Write("e.kve", "Tea\r\n1\r\n2\r\n3\r\n1\r\n9\r\n");
    OpenEntry(opened, prompt);
    EXPECT_EQ(opened.texts[Field::Yield] + "|" + opened.texts[Field::YieldPercent], "9|");
    EXPECT_TRUE(opened.inAmounts);
    for (const char* mode : {"0", "2", "-1"}) {
        folder.Write("e.kve",
                     CrLfLines({"A", "1", "2", "3", mode, "4", "5", "6", "7", "8", "9", "x"}));
        OpenEntry(opened, prompt);
        EXPECT_EQ(opened.texts[Field::YieldPercent], "9");
        EXPECT_EQ(opened.inAmounts, mode[0] != '0') << mode;
    }
}

TEST(ListFileSave, WritesTotalsAsNumbersOfTheirKindUnderTheRightName) {
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
    MemoryPrompt prompt(folder.Path("t.kvl"));
    MemorySheet totals;
    totals.Totals({"2.5", "12", "abc", "", "7.25", "1e2", "3.5", "99.5x"});
    SaveList(totals.sheet, prompt);
    EXPECT_EQ(folder.Read("t.kvl"),
              CrLfLines({"0", "2", "12.0000000000", "0.0000000000", "0.0000000000", "7.2500000000",
                         "100.0000000000", "4", "99.5000000000"}));
}

// Both files byte for byte, rows in both modes with other units sold than bought, and the
// list back again with every row's own mode.
TEST(ListFile, KeepsItsBytesAndEachRowsModeThroughSaveAndOpen) {
    TestFolder folder;
    MemorySheet s, opened;
    s.RowAdd("Iron", 10, true, 4);
    s.RowAdd("Salt", 5, false, 2);
    s.RowAdd("Tea", 3, true, 1);
    MemoryPrompt prompt(folder.Path("l.kvl"));
    SaveList(s.sheet, prompt);
    SaveEntry(s.fields, prompt);
    // clang-format off
    EXPECT_EQ(folder.Read("l.kvl"), CrLfLines({"3",
        "Iron", "10", "100.0000000000", "12.0000000000", "2.0000000000", "4", "48.0000000000", "8.0000000000", "20.0000000000", "1",
        "Salt", "5", "50.0000000000", "12.0000000000", "2.0000000000", "2", "24.0000000000", "4.0000000000", "20.0000000000", "0",
        "Tea", "3", "30.0000000000", "12.0000000000", "2.0000000000", "1", "12.0000000000", "2.0000000000", "20.0000000000", "1",
        "18", "180.0000000000", "36.0000000000", "6.0000000000", "14.0000000000", "60.0000000000", "7", "84.0000000000"}));
    EXPECT_EQ(folder.Read("l.kvl.kve"), CrLfLines({"Tea", "3", "30.0000000000", "1", "1",
        "2.0000000000", "12.0000000000", "12.0000000000", "2.0000000000", "2.0000000000", "20.0000000000"}));
    // clang-format on
    OpenList(opened.sheet, prompt);
    EXPECT_EQ(opened.table.rows, s.table.rows);
    EXPECT_EQ(opened.modes, (YieldModes{1, 0, 1}));
    EXPECT_EQ(opened.Totals(), s.Totals());
}

// A table that refuses rows whose ware is "refused", as a full list control would.
class RefusingTable : public MemoryTable {
  public:
    void RowAdd(int position, const std::string& rowText) override {
        if (rowText.rfind("refused\n", 0) != 0)
            MemoryTable::RowAdd(position, rowText);
    }
};

TEST(ListFileOpen, RowCountIsTrustedOnlyAsFarAsTheFileGoesAndModesStayInStepWithTheRows) {
    const auto row = [](const char* ware, const char* mode) {
        return CrLfLines({ware, "1", "2", "3", "4", "5", "6", "7", "8", mode});
    };
    const std::string totals = CrLfLines({"a", "b", "c", "d", "e", "f", "g", "h"});
    const struct {
        std::string bytes;
        YieldModes modes;
        const char* firstTotal;
    } cases[] = {
        {"abc\r\n" + totals, {}, "a"},
        {"-3\r\n" + row("W", "1") + totals, {}, "W"},
        {"2\r\n" + row("W", "1"), {1}, ""}, // the count past the rows there are
        // Any non-zero mode is amounts; a file ending inside a row adds it with empty cells.
        {"4\r\n" + row("W", "0") + row("W", "256") + row("W", "x") + "X\r\n", {0, 1, 0, 0}, ""},
        {"5\r\n" + row("a", "1") + row("refused", "0") + row("b", "0") + row("refused", "1") +
             row("c", "1"),
         {1, 0, 1},
         ""},
    };
    TestFolder folder;
    for (const auto& c : cases) {
        folder.Write("l.kvl", c.bytes);
        MemoryFields fields;
        RefusingTable table;
        table.rows = {{"old"}};
        YieldModes modes{1};
        TradeSheet sheet{fields, table, modes};
        MemoryPrompt prompt(folder.Path("l.kvl"));
        OpenList(sheet, prompt);
        EXPECT_EQ(modes, c.modes) << c.bytes;
        EXPECT_EQ(table.rows.size(), c.modes.size()) << c.bytes;
        EXPECT_EQ(fields.texts[Field::TotalBuyUnits], c.firstTotal) << c.bytes;
        EXPECT_EQ(fields.texts[Field::Ware], ""); // the entry is not touched
    }
}

// A control byte other than tab, or a line longer than any field, in any line of a list or
// entry file, even one past those read: no file of ours, refused, and nothing changes.
TEST(SavedFileOpen, BinaryBytesOrAnOverlongLineAnywhereRefuseTheFile) {
    const struct {
        std::string added;
        bool refused;
    } cases[] = {
        {"\x01", true},    {std::string(1, '\0'), true},
        {"\x1b[0m", true}, {std::string(SavedLineMax, 'x'), true},
        {"\t\x7f", false}, {std::string(SavedLineMax - 4, 'x'), false},
    };
    TestFolder folder;
    for (const auto& c : cases)
        for (const Texts& lines :
             {Texts{"1", "Iron", "1", "2", "3", "4", "5", "6", "7", "8",
                    "1", "a",    "b", "c", "d", "e", "f", "g", "h", "past"},
              Texts{"Iron", "1", "2", "3", "1", "4", "5", "6", "7", "8", "9", "past"}})
            for (size_t line : {size_t(1), lines.size() - 1}) {
                MemorySheet s;
                s.RowAdd("kept", 3, false);
                const auto rows = s.table.rows;
                const auto texts = s.fields.texts;
                Texts bytes = lines;
                bytes[line] += c.added;
                folder.Write("f", CrLfLines(bytes));
                MemoryPrompt prompt(folder.Path("f"));
                const bool list = lines.size() == 20;
                list ? OpenList(s.sheet, prompt) : OpenEntry(s.fields, prompt);
                const std::string refused =
                    list ? "ERROR: Can't load this file!" : "ERROR: Can't open this file!";
                EXPECT_EQ(prompt.messages, c.refused ? Texts{refused} : Texts{}) << line;
                if (c.refused) {
                    EXPECT_EQ(s.table.rows, rows);
                    EXPECT_EQ(s.modes, YieldModes{0});
                    EXPECT_EQ(s.fields.texts, texts);
                } else {
                    EXPECT_EQ(list ? s.table.rows[0][0] : s.fields.texts[Field::BuyUnits],
                              bytes[1]);
                }
            }
    // What the program writes always opens again: control characters become blanks.
    MemorySheet s, opened;
    s.RowAdd("\x01Iron\tore\x1b", 1, true);
    MemoryPrompt prompt(folder.Path("w"));
    SaveList(s.sheet, prompt);
    SaveEntry(s.fields, prompt);
    prompt.answer = folder.Path("w.kvl");
    OpenList(opened.sheet, prompt);
    prompt.answer = folder.Path("w.kve");
    OpenEntry(opened.fields, prompt);
    EXPECT_EQ(prompt.messages, Texts{});
    EXPECT_EQ(opened.table.rows[0][0] + "|" + opened.fields.texts[Field::Ware],
              " Iron\tore | Iron\tore ");
}

TEST(SavedFileFailures, NoFolderAFolderOrAFullDiskLeaveFilesListAndEntryAsTheyWere) {
    TestFolder folder;
    const std::string old = CrLfLines({"0", "1", "2", "3", "4", "5", "6", "7", "8"});
    folder.Write("week.kvl", old);
    folder.Write("week.kve", old);
    for (const char* name : {"box.kvl", "box.kve"})
        std::filesystem::create_directory(folder.Path(name));
    folder.Write("box.kvl/inside", "x");
    MemorySheet s;
    s.RowAdd("kept", 3, false);
    const auto rows = s.table.rows;
    const auto fields = s.fields.texts;
    const std::string save = "ERROR: Can't save this file!";
    for (std::string answer : {folder.Path("missing") + "/week", folder.Path("box")}) {
        MemoryPrompt prompt(answer);
        SaveList(s.sheet, prompt);
        SaveEntry(s.fields, prompt);
        OpenList(s.sheet, prompt);
        OpenEntry(s.fields, prompt);
        EXPECT_EQ(prompt.messages, (Texts{save, save, "ERROR: Can't load this file!",
                                          "ERROR: Can't open this file!"}));
    }
#ifndef _WIN32
    // A full disk: writes past a file size limit fail, as they do when the disk has no room.
    MemorySheet big; // fails while writing, not only at the last flush
    for (int i = 0; i < 300; ++i)
        big.RowAdd("row " + std::to_string(i), i + 1, i % 2 == 0);
    MemoryPrompt prompt(folder.Path("week"));
    rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit tight = {40, saved.rlim_max}; // smaller than either file
    setrlimit(RLIMIT_FSIZE, &tight);
    SaveList(big.sheet, prompt);
    SaveEntry(big.fields, prompt);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(prompt.messages, (Texts{save, save}));
#endif
    EXPECT_EQ(folder.Read("week.kvl"), old);
    EXPECT_EQ(folder.Read("week.kve"), old);
    EXPECT_EQ(folder.Names(), (Texts{"box.kve", "box.kvl", "week.kve", "week.kvl"}));
    EXPECT_EQ(s.table.rows, rows);
    EXPECT_EQ(s.modes, YieldModes{0});
    EXPECT_EQ(s.fields.texts, fields);
    EXPECT_FALSE(s.fields.inAmounts);
}

TEST(SavedFileTemporary, NeverTouchesOtherFilesAndFitsWhereTheTargetFits) {
    TestFolder folder;
    // Names an earlier design used for its temporary files are the user's own here.
    for (const char* name : {"week.kvl.kvtmp", "week.kve.kvtmp", "~"})
        folder.Write(name, "mine");
    MemorySheet s;
    s.RowAdd("Iron", 3, true);
    MemoryPrompt prompt(folder.Path("week"));
    for (int i = 0; i < 20; ++i) { // unique per save: repeated saves never collide
        SaveList(s.sheet, prompt);
        SaveEntry(s.fields, prompt);
    }
    EXPECT_TRUE(prompt.messages.empty());
    EXPECT_EQ(folder.Names(),
              (Texts{"week.kve", "week.kve.kvtmp", "week.kvl", "week.kvl.kvtmp", "~"}));
    for (const char* name : {"week.kvl.kvtmp", "week.kve.kvtmp", "~"})
        EXPECT_EQ(folder.Read(name), "mine");
#ifdef _WIN32
    const std::string hidden = folder.Path("week.kvl");
    SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    SaveList(s.sheet, prompt);
    EXPECT_TRUE(GetFileAttributesA(hidden.c_str()) & FILE_ATTRIBUTE_HIDDEN);
#else
    // A name as long as the system allows: a temporary with a longer name could not exist.
    const std::string longest = std::string(251, 'n') + ".kvl";
    MemoryPrompt atLimit(folder.Path(longest));
    SaveList(s.sheet, atLimit);
    EXPECT_TRUE(atLimit.messages.empty());
    EXPECT_EQ(folder.Read(longest), folder.Read("week.kvl"));
#endif
}

// The temporary file is made beside the target, whichever separator its path uses, and only
// under a name nobody has: with every name it could take in use, the save fails and touches
// none of them.
TEST(SavedFileTemporary, IsANewFileBesideTheTargetWhicheverSeparatorThePathUses) {
    TestFolder folder;
    std::filesystem::create_directory(folder.Path("sub"));
    const std::string beside = folder.Path("sub") + "\\~"; // a two-letter name's temporaries
    int besides = 0;
    const auto write = [&] {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path("")))
            besides += entry.path().string().rfind(beside, 0) == 0;
        FileWriteLine(SavedFileNumber, "new");
    };
    EXPECT_TRUE(SavedFileWrite(folder.Path("sub") + "\\ab", write));
    EXPECT_EQ(besides, 1);
    const std::string letters = "0123456789abcdefghijklmnopqrstuvwxyz";
    for (char c : letters)
        folder.Write(std::string("sub\\~") + c, "mine");
    EXPECT_FALSE(SavedFileWrite(folder.Path("sub") + "\\ab", write));
    for (char c : letters)
        EXPECT_EQ(folder.Read(std::string("sub\\~") + c), "mine");
    EXPECT_EQ(folder.Read("sub\\ab"), "new\r\n");
}
