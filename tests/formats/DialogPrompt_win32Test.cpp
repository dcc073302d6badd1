// The file commands over the real dialogs, driven from a second thread.
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

// Runs `command` while the dialog titled `title` gets `name` typed and OK, or Cancel if empty.
static void WithDialog(const char* title, std::string name, const std::function<void()>& command) {
    DialogDriver driver(title, [name](HWND dialog) {
        if (!name.empty())
            DialogSetFileName(dialog, name.c_str());
        DialogPress(dialog, name.empty() ? IDCANCEL : IDOK);
    });
    command();
    EXPECT_TRUE(driver.Found()) << title;
}

TEST(DialogPrompt, NamesTypedIntoTheDialogsSaveAndOpenAndCancellingChangesNothing) {
    TestFolder folder;
    MemorySheet s, opened;
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    const auto fields = s.fields.texts;
    DialogPrompt prompt;
    WithDialog("Save List", folder.Path("week"), [&] { SaveList(s.sheet, prompt); });
    WithDialog("Load List", folder.Path("week.kvl"), [&] { OpenList(opened.sheet, prompt); });
    EXPECT_EQ(opened.table.rows, s.table.rows);

    WithDialog("Save Entry", "", [&] { SaveEntry(s.fields, prompt); });
    WithDialog("Load Entry", "", [&] { OpenEntry(s.fields, prompt); });
    WithDialog("Save List", "", [&] { SaveList(s.sheet, prompt); });
    WithDialog("Load List", "", [&] { OpenList(s.sheet, prompt); });
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"week.kvl"});
    EXPECT_EQ(s.table.rows, opened.table.rows);
    EXPECT_EQ(s.fields.texts, fields);
}

TEST(DialogPrompt, TargetHeldOpenShowsTheErrorAndKeepsTheOldFile) {
    TestFolder folder;
    folder.Write("held.kvl", "old\r\n");
    HANDLE held = CreateFileA(folder.Path("held.kvl").c_str(), GENERIC_READ, 0, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    MemorySheet s;
    DialogPrompt prompt;
    std::string message;
    {
        DialogDriver error("ERROR", [&message](HWND dialog) {
            message = DialogStaticTexts(dialog);
            DialogPress(dialog, IDOK);
        });
        WithDialog("Save List", folder.Path("held.kvl"), [&] { SaveList(s.sheet, prompt); });
        EXPECT_TRUE(error.Found());
    }
    CloseHandle(held);
    EXPECT_EQ(message, "Can't save this file!\n");
    EXPECT_EQ(folder.Read("held.kvl"), "old\r\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"held.kvl"});
}
