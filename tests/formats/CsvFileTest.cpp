// CSV export and import over in-memory fields and rows, in a folder of the test's. The host's
// ANSI code page is Windows-1252, as the program's is under Wine with the locale pinned.
#include "formats/CsvFile.h"

#include "formats/SavedFile.h"
#include "runtime/NumberText.h"
#include "runtime/Text.h"
#include "support/MemoryPrompt.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

const char Odd[] = "Tea \"green\", 1st; caf\xE9"; // every character that needs care

// Imports `bytes` into a sheet that holds one row and an entry of its own, and gives back the
// messages; the sheet is left to the caller to look at.
Texts Import(MemorySheet& s, const std::string& bytes) {
    TestFolder folder;
    folder.Write("in.csv", bytes);
    MemoryPrompt prompt(folder.Path("in.csv"));
    ImportCsv(s.sheet, prompt);
    return prompt.messages;
}

// Both dialects byte for byte: cells as the list shows them with the dialect's decimal mark,
// where a typed decimal comma counts as one; texts that are no number stay as they are.
TEST(CsvExport, WritesEachDialectWithItsMarksQuotesAndUtf8) {
    MemorySheet s;
    s.table.RowAdd(0, "Iron\n10\n100.0000000000\n12.0000000000\n2.0000000000\n4\n48.0000000000\n"
                      "8.0000000000\n20.0000000000");
    s.table.RowAdd(1, std::string(Odd) + "\n2,5\n-0.5000000000\ninf\nx.5\n1e3\n-3\nnan\n");
    s.modes = {1, 0};
    const char* expected[] = {
        "\xEF\xBB\xBFWare,Buyunits,Buyprice,Unitprice,Unityield [$],Sellunits,Sellprice,"
        "Yield [$],Yield [%],Yield mode\r\n"
        "Iron,10,100.0000000000,12.0000000000,2.0000000000,4,48.0000000000,8.0000000000,"
        "20.0000000000,amount\r\n"
        "\"Tea \"\"green\"\", 1st; caf\xC3\xA9\",2.5,-0.5000000000,inf,x.5,1e3,-3,nan,,percent\r\n",
        "\xEF\xBB\xBFWare;Buyunits;Buyprice;Unitprice;Unityield [$];Sellunits;Sellprice;"
        "Yield [$];Yield [%];Yield mode\r\n"
        "Iron;10;100,0000000000;12,0000000000;2,0000000000;4;48,0000000000;8,0000000000;"
        "20,0000000000;amount\r\n"
        "\"Tea \"\"green\"\", 1st; caf\xC3\xA9\";2,5;-0,5000000000;inf;x.5;1e3;-3;nan;;percent\r\n",
    };
    TestFolder folder;
    for (int type : {0, 1}) {
        MemoryPrompt prompt(folder.Path("week"));
        prompt.chosenType = type;
        ExportCsv(s.sheet, prompt);
        EXPECT_EQ(folder.Read("week.csv"), expected[type]);
        EXPECT_EQ(prompt.asked, Texts{"Export CSV|" + CurrentDirectory() +
                                      "Saved-Lists\\New.csv|CSV, comma separated (*.csv)|*.csv|"
                                      "CSV, semicolon separated, decimal comma (*.csv)|*.csv"});
    }
    EXPECT_EQ(folder.Names(), Texts{"week.csv"});
}

// A list as a trader makes it comes back from either dialect as it was: every cell, mode and
// total; the entry stays as it is.
TEST(CsvImport, ListExportedInEitherDialectComesBackByteForByte) {
    MemorySheet s;
    s.RowAdd("Iron", 10, true, 4);
    s.RowType(Odd, "3", "10", "2", "-12.5", false);
    s.RowType("Salt", "7", "0.35", "7", "-0.0125", true);
    s.RowType("", "0", "5", "1", "3", false);           // nothing bought: "inf" and "nan" results
    s.RowAdd(std::string(SavedLineMax, 'w'), 2, false); // the longest a list file takes
    TestFolder folder;
    for (int type : {0, 1}) {
        MemoryPrompt prompt(folder.Path("l.csv"));
        prompt.chosenType = type;
        ExportCsv(s.sheet, prompt);
        MemorySheet back;
        back.RowAdd("replaced", 1, true);
        back.fields.texts[Field::Ware] = "kept";
        ImportCsv(back.sheet, prompt);
        EXPECT_EQ(prompt.messages, Texts{});
        EXPECT_EQ(back.table.rows, s.table.rows) << type;
        EXPECT_EQ(back.modes, s.modes);
        EXPECT_EQ(back.Totals(), s.Totals());
        EXPECT_EQ(back.fields.texts[Field::Ware], "kept");
        EXPECT_TRUE(back.fields.inAmounts);
        EXPECT_EQ(prompt.asked.back(),
                  "Import CSV|" + CurrentDirectory() + "Saved-Lists\\|CSV (*.csv)|*.csv");
    }
}

// Written by hand or by a spreadsheet: columns by title in any order and case, extra columns
// and computed ones ignored, no mode column meaning amounts, quotes over line ends, either line
// end, a byte-order mark or none, UTF-8 or ANSI, semicolons with decimal points. Each row
// computes as typing it would.
TEST(CsvImport, HandWrittenFilesComputeTheRowsAsTypingThemWould) {
    const Texts typed[] = {{"Iron", "10", "100", "4", "2", "1"},
                           {"Salt; fine, \"sea\" caf\xE9", "5", "50.5", "2", "20", "0"},
                           {"Tea", "1e1", "-7.25", "+3", "0", "1"}};
    const struct {
        const char* bytes;
        size_t rows;
    } files[] = {
        {"sellunits;Note;WARE;yield mode; Buyprice ;Yield [%];Buyunits;Unityield [$]\n"
         "4;x;Iron;;100;;10;2\n"
         "2;;\"Salt; fine, \"\"sea\"\" caf\xE9\";Percent;50,5;20;5;\n"
         ";;;;;;;\n"
         "+3;\"a\nb\";Tea; AMOUNT ;-7,25;;1e1;0\n",
         3},
        {"\xEF\xBB\xBFWare,Buyunits,Buyprice,Sellunits,Unityield [$],Yield [%],Yield mode\r\n"
         "Iron,10,100,4,2,,amount\r\n"
         "\"Salt; fine, \"\"sea\"\" caf\xC3\xA9\",5,50.5,2,,20,percent\r\n"
         "Tea,1e1,-7.25,+3,0,,amount\r\n\r\n",
         3},
        {"Ware;Buyunits;Buyprice;Sellunits;Unityield [$]\r\nIron;10;100.0;4;2.0\r\n", 1},
    };
    for (const auto& file : files) {
        MemorySheet s, expected;
        for (size_t i = 0; i < file.rows; ++i) {
            const Texts& t = typed[i];
            expected.RowType(t[0], t[1], t[2], t[3], t[4], t[5] == "1");
        }
        EXPECT_EQ(Import(s, file.bytes), Texts{}) << file.bytes;
        EXPECT_EQ(s.table.rows, expected.table.rows) << file.bytes;
        EXPECT_EQ(s.modes, expected.modes);
        EXPECT_EQ(s.Totals(), expected.Totals());
    }
}

// A line that cannot be read changes nothing: one message names the first such line, its
// column and how many lines cannot be read.
TEST(CsvImport, ALineThatCannotBeReadChangesNothingAndOneMessageNamesIt) {
    const std::string title =
        "Ware,Buyunits,Buyprice,Sellunits,Unityield [$],Yield [%],Yield mode\r\n";
    const std::string good = "Iron,10,100,4,2,,amount\r\n", ends = " (1 line can't be read).";
    const struct {
        std::string bytes, message;
    } cases[] = {
        {title + good + "Salt,5,abc,2,,20,percent\r\n" + good + "Tea,1,1,1,x,,\r\n",
         "Line 3, Buyprice: 'abc' is not a number (2 lines can't be read)."},
        {"Ware,Buyunits,Buyprice,Unityield [$]\r\n" + good + "\r\n" + good,
         "Line 1, Sellunits: no such column (3 lines can't be read)."},
        {"Ware,Buyunits,Buyprice,Sellunits,Unityield [$],Yield mode\r\nA,1,1,1,1,percent\r\n",
         "Line 2, Yield [%]: no such column" + ends},
        {title + good + "Salt,5,50,2,,20\r\n",
         "Line 3: 6 fields where the title line has 7" + ends},
        {title + good + "\"Salt,5,50,2,,20,percent\r\n" + good,
         "Line 3: a quote is not closed" + ends},
        {title + "\"Iron,1,1,1,1,,\r\n", "Line 2: a quote is not closed" + ends},
        {title + good + "Salt,5,50,2,2,, Sometimes\r\n",
         "Line 3, Yield mode: 'Sometimes' is neither amount nor percent" + ends},
        {title + "Iron,10,1e999,4,2,,\r\n", "Line 2, Buyprice: '1e999' is out of range" + ends},
        {title + "Iron,10," + std::string(50, 'a') + ",4,2,,\r\n",
         "Line 2, Buyprice: '" + std::string(40, 'a') + "...' is not a number" + ends},
        {"Ware;Buyunits;Buyprice;Sellunits;Unityield [$]\r\nA;1;1.000,5;1;1\r\nB;1;2,5;1;1\r\n",
         "Line 2, Buyprice: '1.000,5' is not a number" + ends},
        {title + good + "Salt\x01,5,50,2,2,,\r\n", "Line 3: binary data, not text" + ends},
        {title + std::string(1, '\0') + good, "Line 2: binary data, not text" + ends},
        {title + good + std::string(65536, 'x') + "\r\n",
         "Line 3: a field longer than 65535 characters" + ends},
        {std::string(1 << 20, '7'), "Line 1: a field longer than 65535 characters" + ends},
        {std::string(1000, ','), "Line 1, Ware: no such column" + ends},
    };
    for (const auto& c : cases) {
        MemorySheet s;
        s.RowAdd("kept", 3, false);
        const auto rows = s.table.rows;
        const auto texts = s.fields.texts;
        EXPECT_EQ(Import(s, c.bytes), Texts{"ERROR: " + c.message});
        EXPECT_EQ(s.table.rows, rows);
        EXPECT_EQ(s.modes, YieldModes{0});
        EXPECT_EQ(s.fields.texts, texts);
    }
}

// An empty file or a title line alone gives an empty list with zero totals; a cancelled
// dialog or a file that cannot be opened or written changes nothing.
TEST(CsvImport, EmptyFilesEmptyTheListAndCancelOrFailureChangeNothing) {
    for (const char* bytes : {"", "\xEF\xBB\xBFWare;Buyunits;Buyprice;Sellunits\r\n"}) {
        MemorySheet s;
        s.RowAdd("gone", 3, true);
        EXPECT_EQ(Import(s, bytes), Texts{});
        EXPECT_EQ(s.table.rows.size() + s.modes.size(), 0u);
        EXPECT_EQ(s.Totals(), Texts(8, "0"));
        EXPECT_EQ(s.fields.texts[Field::Ware], "gone");
    }
    TestFolder folder;
    MemorySheet s;
    s.RowAdd("kept", 3, true);
    const auto totals = s.Totals();
    for (const std::string& answer : {std::string(), folder.Path("missing/l.csv")}) {
        MemoryPrompt prompt(answer);
        ExportCsv(s.sheet, prompt);
        ImportCsv(s.sheet, prompt);
        const Texts failed = {"ERROR: Can't save this file!", "ERROR: Can't load this file!"};
        EXPECT_EQ(prompt.messages, answer.empty() ? Texts{} : failed);
    }
    EXPECT_EQ(s.table.rows.size(), 1u);
    EXPECT_EQ(s.Totals(), totals);
    EXPECT_EQ(folder.Names(), Texts{});
}

} // namespace

// Thousands of rows, the totals grown past where a double keeps ten decimals: the import's
// totals, kept in memory and shown once, are those of adding the rows one by one.
TEST(CsvImport, ManyRowsGiveTheTotalsOfAddingThemOneByOne) {
    MemorySheet s;
    for (int i = 0; i < 3000; ++i)
        s.RowType("Ware " + std::to_string(i), std::to_string(i % 97 + 1),
                  FloatToText(i * 1234.567 - 99999.5, i % 7), std::to_string(i % 89),
                  FloatToText((i % 13 - 6) * 0.0731, 4), i % 3 != 0);
    TestFolder folder;
    MemoryPrompt prompt(folder.Path("many.csv"));
    prompt.chosenType = 1;
    ExportCsv(s.sheet, prompt);
    MemorySheet back;
    ImportCsv(back.sheet, prompt);
    EXPECT_EQ(prompt.messages, Texts{});
    EXPECT_EQ(back.table.rows, s.table.rows);
    EXPECT_EQ(back.modes, s.modes);
    EXPECT_EQ(back.Totals(), s.Totals());
}
