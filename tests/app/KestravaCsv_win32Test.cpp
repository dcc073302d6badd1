// The list out to a real spreadsheet and back: exported by the program through its dialog in
// both dialects, read, stored and written again by LibreOffice Calc (headless, run on the Linux
// side), and imported again; a CSV written by hand; and files that can't be read, which change
// nothing.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#include <dlgs.h>

#include <fstream>

namespace fs = std::filesystem;

namespace {

// The Linux path of a path of this Wine process.
std::string UnixPath(const fs::path& path) {
    using Convert = char*(CDECL*)(LPCWSTR);
    static const Convert convert = reinterpret_cast<Convert>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = convert ? convert(fs::absolute(path).wstring().c_str()) : nullptr;
    const std::string text = unix ? unix : "";
    HeapFree(GetProcessHeap(), 0, unix);
    return text;
}

// Runs a command of the Linux side in `folder` and waits until it is done; true when it
// ended with 0. A marker file tells, since Wine follows no Linux process.
bool Shell(const fs::path& folder, const std::string& command) {
    const fs::path done = folder / "shell-done";
    fs::remove(done);
    std::string line = "sh -c \"cd '" + UnixPath(folder) + "' && (" + command +
                       ") >shell.log 2>&1; echo $? >shell-done\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA("Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string status;
    WaitUntil([&] { return std::getline(std::ifstream(done), status) && !status.empty(); }, 300000);
    return status == "0";
}

// LibreOffice Calc as the trader's spreadsheet, with a profile of its own. A file in the
// given dialect (0: comma, 1: semicolon and decimal comma) is converted to `to`.
bool Calc(const fs::path& folder, const std::string& file, const std::string& to, int dialect) {
    const std::string options = dialect ? "59,34,76,1,,1031" : "44,34,76,1,,1033";
    const std::string filter =
        to == "xlsx" ? "xlsx --infilter=CSV:" + options
                     : "'csv:Text - txt - csv (StarCalc):" + options + "' --outdir back";
    return Shell(folder, std::string(dialect ? "LANG=de_DE.UTF-8 " : "") +
                             "soffice --headless -env:UserInstallation=file://" + UnixPath(folder) +
                             "/calc-profile --convert-to " + filter + " " + file);
}

// Chooses a menu item whose save dialog offers file types, picks `type` and saves as `name`.
bool SaveAs(Kestrava& app, int item, const char* title, int type, const std::string& name) {
    app.Menu(item);
    HWND dialog = app.WindowWait(title, "#32770");
    HWND types = GetDlgItem(dialog, cmb1);
    if (!dialog || !types)
        return false;
    Send(types, CB_SETCURSEL, WPARAM(type), 0);
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) // as a choice with the mouse sends them
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, code), LPARAM(types));
    return app.FileDialog(0, title, name);
}

// The list as the program saves it: rows, modes and totals, byte for byte.
std::string ListSaved(Kestrava& app, const std::string& name) {
    EXPECT_TRUE(app.FileDialog(MenuSaveList, "Save List", name));
    std::string bytes;
    WaitUntil([&] { return !(bytes = app.FileRead("Saved-Lists/" + name + ".kvl")).empty(); });
    return bytes;
}

TEST(KestravaCsv, TheListRoundTripsThroughARealSpreadsheetInBothDialects) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    // 21 rows: both modes, losses, and wares with a comma, a quote, a semicolon and an accent.
    const char* wares[] = {"Salt, fine", "Silk \"royal\"", "Wool; raw", "Caf\xe9", "Iron"};
    for (int row = 0; row < 21; ++row) {
        const bool percent = row % 3 == 1;
        if (percent != app.Checked(YieldPercentOption))
            app.Click(percent ? YieldPercentOption : YieldNumbersOption);
        ASSERT_TRUE(WaitUntil([&] { return app.Checked(YieldPercentOption) == percent; }));
        const std::string units = std::to_string(2 + row), cost = std::to_string(7 * row + 3),
                          sold = std::to_string(1 + row % 5),
                          yield = std::to_string(row % 4 == 3 ? -3 - row : row) + ".25";
        app.RowAdd(wares[row % 5], units.c_str(), cost.c_str(), sold.c_str(), yield.c_str());
    }
    const std::string before = ListSaved(app, "before");
    const fs::path lists = app.Folder() / "Saved-Lists";
    for (int dialect = 0; dialect < 2; ++dialect) {
        SCOPED_TRACE(dialect);
        const std::string name = "export" + std::to_string(dialect);
        ASSERT_TRUE(SaveAs(app, MenuExportCsv, "Export CSV", dialect, name));
        ASSERT_TRUE(WaitUntil([&] { return fs::exists(lists / (name + ".csv")); }));
        // Calc reads ten columns, the numbers as numbers: it sums the buy prices.
        std::ofstream(lists / (name + "-sum.csv"), std::ios::binary | std::ios::app)
            << app.FileRead("Saved-Lists/" + name + ".csv")
            << (dialect ? "Sum;;=SUM(C2:C22)\r\n" : "Sum,,=SUM(C2:C22)\r\n");
        ASSERT_TRUE(Calc(lists, name + "-sum.csv", "xlsx", dialect));
        ASSERT_TRUE(Calc(lists, name + "-sum.xlsx", "csv", dialect));
        const std::string summed = app.FileRead("Saved-Lists/back/" + name + "-sum.csv");
        const std::string total = app.Text(TotalBuyPriceField).substr(0, 4); // "1533.0000000000"
        EXPECT_NE(std::string::npos, summed.find(std::string(dialect ? ";;" : ",,") + total))
            << summed;
        ASSERT_TRUE(Calc(lists, name + ".csv", "xlsx", dialect));
        ASSERT_TRUE(
            Shell(lists, "unzip -p " + name + ".xlsx xl/worksheets/sheet1.xml >" + name + ".xml"));
        EXPECT_NE(std::string::npos,
                  app.FileRead("Saved-Lists/" + name + ".xml").find("<dimension ref=\"A1:J22\""));
        // What Calc writes back, imported over a cleared list, is the list as it was.
        ASSERT_TRUE(Calc(lists, name + ".xlsx", "csv", dialect));
        app.Menu(MenuClearList);
        ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0; }));
        ASSERT_TRUE(app.FileDialog(MenuImportCsv, "Import CSV", "back\\" + name + ".csv"));
        ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 21; }));
        EXPECT_EQ(before, ListSaved(app, "after" + std::to_string(dialect)));
    }
}

// Written by hand: only the inputs, columns in another order, one more column, titles in
// lower case. The rows are those that typing the same entries gives.
TEST(KestravaCsv, AHandWrittenFileComputesAsTypingWould) {
    Kestrava app([](const fs::path& folder) {
        std::ofstream(folder / "Saved-Lists/hand.csv", std::ios::binary)
            << "ware,SELLUNITS,note,buyprice,buyunits,yield mode,unityield [$],yield [%]\n"
               "Salt,10,cheap,100,10,amount,2,\n"
               "Silk,3,,\"10\",3,percent,,10\n";
    });
    ASSERT_TRUE(app.Ready());
    ASSERT_TRUE(app.FileDialog(MenuImportCsv, "Import CSV", "hand.csv"));
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }));
    const Texts imported[] = {app.Row(0), app.Row(1), app.Totals()};
    app.Menu(MenuClearList);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0; }));
    app.RowAdd("Salt", "10", "100", "10", "2");
    app.Click(YieldPercentOption);
    ASSERT_TRUE(WaitUntil([&] { return app.Checked(YieldPercentOption); }));
    app.RowAdd("Silk", "3", "10", "3", "10");
    EXPECT_EQ(imported[0], app.Row(0));
    EXPECT_EQ(imported[1], app.Row(1));
    EXPECT_EQ(imported[2], app.Totals());
    // A decimal comma typed in an entry field counts as the point.
    app.Compute("2", "7,5", "2", "12,5");
    const Texts comma = app.Results();
    app.Compute("2", "7.5", "2", "12.5");
    EXPECT_EQ(app.Results(), comma);
}

// Without the fonts that come with Wine, for as long as it lives: Wine's text shaping for edit
// controls then falls over binary bytes, so none may ever reach a control.
struct FontsAway {
    const fs::path fonts = "C:\\windows\\Fonts";
    FontsAway() {
        for (const char* font : {"tahoma.ttf", "tahomabd.ttf"})
            if (fs::exists(fonts / font))
                fs::rename(fonts / font, fonts / (std::string(font) + ".away"));
    }
    ~FontsAway() {
        for (const char* font : {"tahoma.ttf", "tahomabd.ttf"})
            if (fs::exists(fonts / (std::string(font) + ".away")))
                fs::rename(fonts / (std::string(font) + ".away"), fonts / font);
    }
};

// Files that can't be read give their message and change nothing: not the rows, not their
// modes, not the totals.
TEST(KestravaCsv, FilesThatCantBeReadChangeNothing) {
    FontsAway fontsAway;
    const std::string titles = "Ware,Buyunits,Buyprice,Sellunits,Unityield [$]\r\n";
    std::string binary = "Salt\r\n";
    for (int i = 0; i < 200000; ++i)
        binary += char(i * 7919 % 251);
    const struct {
        const char* name;
        std::string bytes;
        const char* message; // its beginning
    } files[] = {
        {"text.csv", titles + "Salt,10,100,10,2\r\nSilk,3,abc,3,1\r\nIron,x,1,1,1\r\n",
         "Line 3, Buyprice: 'abc' is not a number (2 lines can't be read)."},
        {"column.csv", "Ware,Buyunits,Sellunits,Unityield [$]\r\nSalt,10,10,2\r\n",
         "Line 1, Buyprice: no such column"},
        {"count.csv", titles + "Salt,10,100,10\r\n", "Line 2"},
        {"quote.csv", titles + "\"Salt,10,100,10,2\r\n", "Line 2"},
        {"long.csv", titles + std::string(50 << 20, 'x') + "\r\n", "Line 2"},
        {"binary.csv", titles + binary, "Line 2"},
        {"binary.kvl", "1\r\n" + binary, "Can't load this file!"},
        {"long.kvl", std::string(50 << 20, '7'), "Can't load this file!"},
        {"binary.kve", binary, "Can't open this file!"},
    };
    Kestrava app([&](const fs::path& folder) {
        for (const auto& file : files)
            std::ofstream(folder / "Saved-Entrys" / file.name, std::ios::binary) << file.bytes;
    });
    ASSERT_TRUE(app.Ready());
    app.RowAdd("Salt", "10", "100", "10", "2");
    app.Click(YieldPercentOption);
    app.RowAdd("Silk", "3", "10", "3", "10");
    const std::string before = ListSaved(app, "before");
    const Texts entry = app.Fields({WareField, BuyUnitsField, BuyCostField, YieldField});
    for (const auto& file : files) {
        SCOPED_TRACE(file.name);
        const std::string path = "..\\Saved-Entrys\\" + std::string(file.name);
        const bool csv = fs::path(file.name).extension() == ".csv";
        const bool list = fs::path(file.name).extension() == ".kvl";
        ASSERT_TRUE(app.FileDialog(csv    ? MenuImportCsv
                                   : list ? MenuOpenList
                                          : MenuOpenEntry,
                                   csv    ? "Import CSV"
                                   : list ? "Load List"
                                          : "Load Entry",
                                   path));
        const std::string shown = app.ErrorConfirm();
        EXPECT_EQ(0u, shown.find(file.message)) << shown;
        EXPECT_TRUE(app.Responsive());
    }
    EXPECT_EQ(entry, app.Fields({WareField, BuyUnitsField, BuyCostField, YieldField}));
    EXPECT_EQ(before, ListSaved(app, "after"));
}

} // namespace
