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

using Texts = std::vector<std::string>;

std::function<void(HWND)> TypeAndAccept(std::string name) {
    return [name](HWND dialog) {
        DialogSetFileName(dialog, name.c_str());
        DialogPress(dialog, IDOK);
    };
}

// Runs `command` while `act` handles the dialog titled `title`.
void WithDialog(const char* title, std::function<void(HWND)> act,
                const std::function<void()>& command) {
    DialogDriver driver(title, std::move(act));
    command();
    EXPECT_TRUE(driver.Found()) << title;
}

} // namespace

TEST(DialogPrompt, NamesTypedIntoTheDialogsSaveAndOpenAndCancellingChangesNothing) {
    TestFolder folder;
    MemorySheet s, opened;
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    const auto fields = s.fields.texts;
    DialogPrompt prompt;
    WithDialog("Save Entry", TypeAndAccept(folder.Path("trade")),
               [&] { SaveEntry(s.fields, prompt); });
    WithDialog("Save List", TypeAndAccept(folder.Path("week")), [&] { SaveList(s.sheet, prompt); });
    EXPECT_EQ(folder.Names(), (Texts{"trade.kve", "week.kvl"}));
    EXPECT_EQ(folder.Read("trade.kve").substr(0, 9), "Ware\r\n0\r\n");
    // And back through the open dialog into an emptied list.
    WithDialog("Load List", TypeAndAccept(folder.Path("week.kvl")),
               [&] { OpenList(opened.sheet, prompt); });
    EXPECT_EQ(opened.table.rows, s.table.rows);

    const auto cancel = [](HWND dialog) { DialogPress(dialog, IDCANCEL); };
    WithDialog("Save Entry", cancel, [&] { SaveEntry(s.fields, prompt); });
    WithDialog("Load Entry", cancel, [&] { OpenEntry(s.fields, prompt); });
    WithDialog("Save List", cancel, [&] { SaveList(s.sheet, prompt); });
    WithDialog("Load List", cancel, [&] { OpenList(s.sheet, prompt); });
    EXPECT_EQ(folder.Names(), (Texts{"trade.kve", "week.kvl"}));
    EXPECT_EQ(s.table.rows, opened.table.rows);
    EXPECT_EQ(s.fields.texts, fields);
}

TEST(DialogPrompt, TargetHeldOpenShowsTheErrorAndKeepsTheOldFile) {
    TestFolder folder;
    const std::string old = "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n";
    folder.Write("held.kvl", old);
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
        WithDialog("Save List", TypeAndAccept(folder.Path("held.kvl")),
                   [&] { SaveList(s.sheet, prompt); });
        EXPECT_TRUE(error.Found());
    }
    CloseHandle(held);
    EXPECT_EQ(message, "Can't save this file!\n");
    EXPECT_EQ(folder.Read("held.kvl"), old);
    EXPECT_EQ(folder.Names(), Texts{"held.kvl"});
}
