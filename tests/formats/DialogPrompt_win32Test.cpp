// The file commands over the real save, open and message dialogs, driven from a second
// thread while the command waits inside them.
#include "formats/DialogPrompt.h"
#include "formats/EntryFile.h"
#include "formats/ListFile.h"

#include "app/Trade.h"
#include "app/TradeList.h"
#include "support/DialogDriver_win32.h"
#include "support/MemoryTrade.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::function<void(HWND)> TypeAndAccept(std::string name) {
    return [name](HWND dialog) {
        DialogSetFileName(dialog, name.c_str());
        DialogPress(dialog, IDOK);
    };
}

void Cancel(HWND dialog) { DialogPress(dialog, IDCANCEL); }

void ExampleRow(MemorySheet& s) {
    ClearEntry(s.fields);
    s.fields.Set({{Field::BuyUnits, "10"}, {Field::BuyCost, "100"}, {Field::SellUnits, "10"},
                  {Field::Yield, "2"}});
    Compute(s.fields);
    TransferEntry(s.sheet);
}

} // namespace

TEST(DialogPromptSave, NameTypedIntoTheSaveDialogGetsTheFile) {
    TestFolder folder;
    MemorySheet s;
    ExampleRow(s);
    DialogPrompt prompt;
    {
        DialogDriver driver("Save Entry", TypeAndAccept(folder.Path("trade")));
        SaveEntry(s.fields, prompt);
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"trade.kve"});
    EXPECT_EQ(folder.Read("trade.kve").substr(0, 10), "Ware\r\n10\r\n");

    {
        DialogDriver driver("Save List", TypeAndAccept(folder.Path("week")));
        SaveList(s.sheet, prompt);
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"trade.kve", "week.kvl"}));

    // And back through the open dialog into an emptied list.
    MemorySheet opened;
    {
        DialogDriver driver("Load List", TypeAndAccept(folder.Path("week.kvl")));
        OpenList(opened.sheet, prompt);
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ(opened.table.rows, s.table.rows);
}

TEST(DialogPromptCancel, CancellingEitherDialogCreatesAndChangesNothing) {
    TestFolder folder;
    MemorySheet s;
    ExampleRow(s);
    const auto rows = s.table.rows;
    const auto fields = s.fields.texts;
    DialogPrompt prompt;
    const struct {
        const char* title;
        std::function<void()> command;
    } cases[] = {
        {"Save Entry", [&] { SaveEntry(s.fields, prompt); }},
        {"Load Entry", [&] { OpenEntry(s.fields, prompt); }},
        {"Save List", [&] { SaveList(s.sheet, prompt); }},
        {"Load List", [&] { OpenList(s.sheet, prompt); }},
    };
    for (const auto& c : cases) {
        DialogDriver driver(c.title, Cancel);
        c.command();
        EXPECT_TRUE(driver.Found()) << c.title;
    }
    EXPECT_TRUE(folder.Names().empty());
    EXPECT_EQ(s.table.rows, rows);
    EXPECT_EQ(s.fields.texts, fields);
}

TEST(DialogPromptFailure, TargetHeldOpenShowsTheErrorAndKeepsTheOldFile) {
    TestFolder folder;
    const std::string old = "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";
    folder.Write("held.kvl", old);
    HANDLE held = CreateFileA(folder.Path("held.kvl").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    MemorySheet s;
    ExampleRow(s);
    DialogPrompt prompt;
    std::string message;
    {
        DialogDriver save("Save List", TypeAndAccept(folder.Path("held.kvl")));
        DialogDriver error("ERROR", [&message](HWND dialog) {
            message = DialogStaticTexts(dialog);
            DialogPress(dialog, IDOK);
        });
        SaveList(s.sheet, prompt);
        EXPECT_TRUE(save.Found());
        EXPECT_TRUE(error.Found());
    }
    CloseHandle(held);
    EXPECT_EQ(message, "Can't save this file!\n");
    EXPECT_EQ(folder.Read("held.kvl"), old);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"held.kvl"});
}
