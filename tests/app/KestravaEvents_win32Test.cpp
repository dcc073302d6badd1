// Events as tools and users send them from outside: close requests posted to the side windows,
// clicks sent or posted in bursts, and a walk over every line of the main routing table by its
// menu item, button, key or field.
#include "app/HelpWindow.h"
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <optional>

namespace {

// Web addresses go to a stand-in browser that writes them down and stays open a while.
class Browser {
  public:
    Browser() {
        std::string recorder = KV_URL_RECORDER;
        std::replace(recorder.begin(), recorder.end(), '/', '\\');
        const std::string command = "\"" + recorder + "\" \"%1\"";
        for (int i = 0; i < 2; ++i) {
            char old[1024] = {};
            LONG size = sizeof old;
            if (RegQueryValueA(HKEY_CLASSES_ROOT, Keys[i], old, &size) == ERROR_SUCCESS)
                kept_[i] = std::string(old);
            RegSetValueA(HKEY_CLASSES_ROOT, Keys[i], REG_SZ, command.c_str(), 0);
        }
        SetEnvironmentVariableA("KV_URL_LOG", log_.c_str()); // Kestrava passes it on
        std::remove(log_.c_str());
    }
    ~Browser() {
        for (int i = 0; i < 2; ++i)
            if (kept_[i])
                RegSetValueA(HKEY_CLASSES_ROOT, Keys[i], REG_SZ, kept_[i]->c_str(), 0);
            else
                RegDeleteKeyA(HKEY_CLASSES_ROOT, Keys[i]);
        std::remove(log_.c_str());
    }
    Browser(const Browser&) = delete;
    Browser& operator=(const Browser&) = delete;
    Texts Opened() const {
        Texts lines;
        std::ifstream in(log_);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

  private:
    static constexpr const char* Keys[2] = {"http\\shell\\open\\command",
                                            "https\\shell\\open\\command"};
    std::optional<std::string> kept_[2]; // the commands before, put back at the end
    const std::string log_ = (std::filesystem::temp_directory_path() /
                              ("kv-urls-" + std::to_string(GetCurrentProcessId())))
                                 .string();
};

// As scripts and automation tools close a window; the close box goes through WM_SYSCOMMAND.
void CloseRequest(HWND window) {
    PostMessageA(window, WM_CLOSE, 0, 0);
}

TEST(KestravaEvents, ACloseRequestForASideWindowEndsOnlyThatWindow) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    Texts rows, totals;
    const auto unchanged = [&] {
        if (!app.Responsive())
            return false;
        Texts now;
        for (int row = 0; row < app.Rows(); ++row)
            for (const std::string& cell : app.Row(row))
                now.push_back(cell);
        return IsWindowEnabled(app.Main()) && now == rows && app.Totals() == totals;
    };
    // Empty and right after it opens, then with rows, right after it opens and after a copy.
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        if (way == 1) {
            app.RowAdd("Salt", "10", "100", "10", "2");
            app.RowAdd("Silk", "4", "40", "4", "-3");
        }
        rows.clear();
        for (int row = 0; row < app.Rows(); ++row)
            for (const std::string& cell : app.Row(row))
                rows.push_back(cell);
        totals = app.Totals();
        HWND stats = app.StatsOpen();
        ASSERT_TRUE(stats);
        if (way == 2) {
            ClipboardTake();
            ClickAt(GetDlgItem(stats, StatsCopyButton));
            EXPECT_TRUE(WaitUntil([] { return !ClipboardTake().empty(); }));
        }
        CloseRequest(stats);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(stats) && IsWindowEnabled(app.Main()); }));
        Sleep(2000);
        ASSERT_TRUE(unchanged());
    }
    // While help is open, a close request for the calculator closes help; the next one ends it.
    HWND help = app.HelpOpen();
    ASSERT_TRUE(help);
    CloseRequest(app.Main());
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(help); }));
    Sleep(2000);
    ASSERT_TRUE(unchanged());
    CloseRequest(app.Main());
    EXPECT_EQ(0u, app.ExitCode());
}

TEST(KestravaEvents, EveryClickSentOrPostedActsExactlyOnce) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.TextSet(WareField, "Salt");
    for (auto [field, text] : {std::pair{BuyUnitsField, "10"},
                               {BuyCostField, "100"},
                               {SellUnitsField, "10"},
                               {YieldField, "2"}})
        app.TextSet(field, text);
    ASSERT_TRUE(app.ClickInto(app.Control(SellUnitsField)));
    InputKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(UnitPriceField) == "12.0000000000"; }));
    Send(app.Control(TransferButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    for (int click = 0; click < 200; ++click)
        PostMessageA(app.Control(TransferButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 201; }, 60000)) << app.Rows();
    EXPECT_EQ("2010", app.Text(TotalBuyUnitsField));

    // The click takes the focus from the field (the hint goes) and computes, in one dispatch.
    ASSERT_TRUE(app.ClickInto(app.Control(BuyCostField)));
    ASSERT_TRUE(WaitUntil([&] { return app.Status() == "\tInsert the buy-price of all units"; }));
    app.TextSet(BuyCostField, "200");
    PostMessageA(app.Control(ComputeButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] {
        return app.Status() == "\tInformation-Bar" && app.Text(UnitPriceField) == "22.0000000000";
    }));
    EXPECT_EQ(201, app.Rows());
}

// Each line of the main loop's routing table once, in the order it stands there.
TEST(KestravaEvents, EveryLineOfTheRoutingTableFromOutside) {
    Browser browser;
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    HWND list = app.Control(TradeList);
    const auto dialogCancelled = [&](int item, const char* title) {
        app.Menu(item);
        HWND dialog = app.WindowWait(title, "#32770");
        DialogPress(dialog, IDCANCEL);
        return dialog && WaitUntil([&] { return !IsWindow(dialog); });
    };
    const auto rowPopup = [&] { // open, and closed again by Escape
        HWND popup = app.WindowWait("", "#32768");
        RECT menu = {};
        GetWindowRect(popup, &menu);
        InputKey(VK_ESCAPE);
        WaitUntil([&] { return !IsWindowVisible(popup); });
        return menu;
    };

    // Keys: Enter in any entry field computes.
    for (int field : {WareField, BuyUnitsField, BuyCostField, SellUnitsField, YieldField}) {
        SCOPED_TRACE(field);
        app.Compute("10", "100", "10", "2");
        app.TextSet(UnitPriceField, "");
        ASSERT_TRUE(app.ClickInto(app.Control(field)));
        InputKey(VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return app.Text(UnitPriceField) == "12.0000000000"; }));
    }
    app.RowAdd("Salt", "10", "100", "10", "2");
    app.RowAdd("Silk", "4", "40", "4", "-3");
    app.RowAdd("Wool", "2", "10", "2", "2.5");
    app.Click(ClearButton);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Ware"; }));
    // A single click selects a row and loads nothing; the list keeps one row selected.
    ClickAt(list, app.RowPoint(1));
    ASSERT_TRUE(WaitUntil([&] { return app.Selected() == 1; }));
    InputKey(VK_END, true);
    Sleep(1000);
    EXPECT_EQ(1, Send(list, LVM_GETSELECTEDCOUNT, 0, 0));
    EXPECT_EQ("Ware", app.Text(WareField));
    ASSERT_TRUE(app.KeysUntil(VK_UP, [&] { return app.Selected() == 1; }));
    InputKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Silk"; }));
    // Shift+F10: the popup opens below the selected row, where the keyboard user looks.
    InputKey(VK_F10, true);
    POINT row = app.RowPoint(1);
    ClientToScreen(list, &row);
    const RECT below = rowPopup();
    EXPECT_GT(below.top, row.y + 3);
    EXPECT_LT(below.top, row.y + 24);
    InputKey(VK_DELETE);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 2 && app.Cell(0, 0) == "Salt"; }));
    // Typing the first letters of a ware selects the next row with it.
    ASSERT_TRUE(app.KeysUntil(VK_HOME, [&] { return app.Selected() == 0; }));
    app.Keys({'W', 'O'});
    EXPECT_TRUE(WaitUntil([&] { return app.Selected() == 1; }));

    // Plain C is the list's own; Ctrl+C copies the list.
    ClipboardTake();
    InputKey('C');
    Sleep(1000);
    EXPECT_EQ("", ClipboardTake());
    InputKey('C', false, true);
    EXPECT_TRUE(WaitUntil([] { return ClipboardTake().find("Wool\t2\t") != std::string::npos; }));

    // Buttons and options.
    app.Click(YieldPercentOption);
    EXPECT_TRUE(WaitUntil([&] {
        return app.Checked(YieldPercentOption) &&
               app.Status() == "\tChoose if you want to use numbers or percent for the yield";
    }));
    app.Click(YieldNumbersOption);
    EXPECT_TRUE(WaitUntil([&] { return app.Checked(YieldNumbersOption); }));
    app.Click(DonateButton);
    EXPECT_TRUE(WaitUntil([&] { return browser.Opened().size() == 1; }));
    EXPECT_TRUE(app.Responsive(3000)); // the browser is still open: nothing waits for it
    HWND stats = app.StatsOpen();
    EXPECT_TRUE(stats && app.StatsClose(stats, 0));

    // The list: a double click loads a row, a right click offers to delete it.
    ClickAt(list, app.RowPoint(0), 2);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Salt"; }));
    ClickAt(list, app.RowPoint(0), 1, true);
    rowPopup();

    // Every field's hint while it has the focus, and "Information-Bar" once it lost it.
    const std::pair<int, const char*> hints[] = {
        {WareField, "Insert the name of the ware with which you want to trade"},
        {BuyUnitsField, "Insert how much units you want to buy"},
        {BuyCostField, "Insert the buy-price of all units"},
        {SellUnitsField, "Insert the number of units which you want to sell"},
        {YieldField, "Insert the yield for each unit"},
        {UnitPriceField, "This is the sell-price of one unit"},
        {SellPriceField, "This is the sell-price of all units"},
        {UnitYieldField, "This is the yield of one unit"},
        {YieldAmountField, "This is the yield of all units"},
        {YieldPercentField, "This is the yield in percent"},
    };
    for (auto [field, hint] : hints) {
        SCOPED_TRACE(hint);
        ASSERT_TRUE(app.ClickInto(app.Control(field)));
        EXPECT_TRUE(WaitUntil([&] { return app.Status() == "\t" + std::string(hint); }));
        ASSERT_TRUE(app.ClickInto(list));
        const std::string left = field == BuyUnitsField ? "" : "\t";
        EXPECT_TRUE(WaitUntil([&] { return app.Status() == left + "Information-Bar"; }));
    }

    // The menus; the file commands' dialogs are cancelled.
    app.Menu(MenuClearEntry);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Ware"; }));
    EXPECT_TRUE(dialogCancelled(MenuOpenEntry, "Load Entry"));
    EXPECT_TRUE(dialogCancelled(MenuSaveEntry, "Save Entry"));
    ClickAt(list, app.RowPoint(0));
    ASSERT_TRUE(WaitUntil([&] { return app.Selected() == 0; }));
    app.Menu(MenuDeleteRow);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    app.Menu(MenuClearList);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 0; }));
    EXPECT_TRUE(dialogCancelled(MenuOpenList, "Load List"));
    EXPECT_TRUE(dialogCancelled(MenuSaveList, "Save List"));
    for (int button : {WebsiteButton, HelpDonateButton}) { // each opens its page and closes
        HWND help = app.HelpOpen();
        ASSERT_TRUE(help);
        PostMessageA(GetDlgItem(help, button), BM_CLICK, 0, 0);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(help); }));
    }
    app.Menu(MenuDonate);
    EXPECT_TRUE(WaitUntil([&] { return browser.Opened().size() == 4; }));
    EXPECT_EQ((Texts{DonateUrl, WebsiteUrl, DonateUrl, DonateUrl}), browser.Opened());
    app.Menu(MenuQuit);
    EXPECT_EQ(0u, app.ExitCode());
}

} // namespace
