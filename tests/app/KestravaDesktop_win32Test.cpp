// Kestrava among the trader's other programs: files handed to it on the command line, as the
// shell does for a double click.
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

const Texts Salt = {"Salt",         "10", "100.0000000000", "12.0000000000",
                    "2.0000000000", "10", "120.0000000000", "20.0000000000",
                    "20.0000000000"};

std::string ListBytes() {
    Texts lines = {"1"};
    lines.insert(lines.end(), Salt.begin(), Salt.end());
    for (const char* line : {"1", "10", "100.0000000000", "12.0000000000", "2.0000000000",
                             "20.0000000000", "20.0000000000", "10", "120.0000000000"})
        lines.push_back(line);
    return CrLfLines(lines);
}

// A list and an entry open as the menu opens them, quoted paths with blanks too; a missing
// file and a file of another kind each give their message and leave the calculator as it was.
TEST(KestravaDesktop, OpensTheFileGivenOnTheCommandLine) {
    const struct {
        const char* arguments; // in the program's folder
        const char* error;     // nullptr: opens
        bool list;
    } cases[] = {
        {"\"Saved-Lists\\My lists\\trade list.kvl\"", nullptr, true},
        {"Saved-Lists\\My lists\\trade list.kvl", nullptr, true},
        {"\"Saved-Entrys\\salt.KVE\"", nullptr, false},
        {"Saved-Lists\\missing.kvl", "Can't load this file!\n", true},
        {"Saved-Lists\\notes.txt", "Can't open this kind of file!\n", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        Kestrava app(
            [](const fs::path& folder) {
                fs::create_directories(folder / "Saved-Lists/My lists");
                std::ofstream(folder / "Saved-Lists/My lists/trade list.kvl", std::ios::binary)
                    << ListBytes();
                std::ofstream(folder / "Saved-Lists/notes.txt", std::ios::binary) << ListBytes();
                std::ofstream(folder / "Saved-Entrys/salt.KVE", std::ios::binary) << CrLfLines(
                    {"Salt", "10", "100.0000000000", "10", "1", "2.0000000000", "12.0000000000",
                     "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"});
            },
            false, c.arguments);
        EXPECT_EQ(c.error ? c.error : "", c.error ? app.ErrorConfirm() : "");
        ASSERT_TRUE(app.Ready());
        const Texts shown = app.Rows() ? app.Row(0) : Texts{app.Text(WareField)};
        EXPECT_EQ(c.error ? Texts{"Ware"} : c.list ? Salt : Texts{"Salt"}, shown);
    }
}

} // namespace
