// The calculator's windows, menus and widgets: their numbers, and the tables they are built
// from. Every other part of the application names things by these numbers.
#pragma once

#include "app/WindowNumbers.h"

#include <windows.h>

enum ImageNumber { HeaderBitmap = 2 };
enum MenuNumber { MainMenu = 0, RowPopupMenu = 1, RecentMenu = 2 };
enum StatusBarNumber { MainStatusBar = 0 };

enum MenuItem {
    MenuClearEntry = 1,
    MenuOpenEntry = 2,
    MenuSaveEntry = 3,
    MenuClearList = 4,
    MenuOpenList = 5,
    MenuSaveList = 6,
    MenuQuit = 7,
    MenuHelp = 8,
    MenuDonate = 9,
    MenuReopenSession = 10,
    MenuExportCsv = 11,
    MenuImportCsv = 12,
    MenuUndo = 13,
    MenuRedo = 14,
    MenuDeleteRow = 20,
    MenuRecentNone = 100,  // "(none)", greyed
    MenuRecentFirst = 101, // the most recent list; the others follow, up to 8
};

enum WidgetNumber {
    BuyFrame = 0,
    SellFrame = 1,
    ResultsFrame = 2,
    WareField = 3,
    BuyUnitsField = 4,
    BuyCostField = 5,
    SellUnitsField = 6,
    YieldNumbersOption = 7,
    YieldPercentOption = 8,
    YieldField = 9,
    UnitPriceField = 10,
    SellPriceField = 11,
    UnitYieldField = 12,
    YieldAmountField = 13,
    ComputeButton = 14,
    TransferButton = 15,
    ClearButton = 16,
    BuyUnitsLabel = 17,
    BuyCostLabel = 18,
    SellUnitsLabel = 19,
    YieldLabel = 20,
    UnitPriceLabel = 21,
    SellPriceLabel = 22,
    UnitYieldLabel = 23,
    YieldAmountLabel = 24,
    ProductLabel = 25,
    TradeList = 26,
    HeaderImage = 28,
    EntryPanelFrame = 29,
    YieldPercentLabel = 30,
    StatsButton = 31,
    YieldPercentField = 32,
    VersionText = 34,
    CreditText = 35,
    TotalBuyUnitsField = 36,
    TotalBuyPriceField = 37,
    TotalUnitPriceField = 38,
    TotalUnitYieldField = 39,
    TotalYieldAmountField = 40,
    TotalYieldPercentField = 41,
    TotalSellUnitsField = 42,
    TotalSellPriceField = 43,
    OuterFrame = 44,
    ListPanelFrame = 45,
    TotalLabel = 46,
    DonateButton = 47,
    // The help window's.
    HelpCaption = 100,
    HelpText = 101,
    WebsiteButton = 201,
    HelpDonateButton = 202,
    HelpOkButton = 203,
    HelpHeaderImage = 204,
};

enum class WidgetType { Frame, Text, String, Option, Button, ListView, Editor, Image };

// One widget as the window shows it. `flags` go to the creator: the frame type for frames,
// the extended style for images, style bits for the others. An x below 0 counts from the
// right edge of the client area. `backColour` is -1 for the control's own colour.
struct WidgetRow {
    int number;
    WidgetType type;
    int x, y, width, height;
    const char* text;
    int flags;
    int backColor;
};

// Creates the rows' widgets in order in the current widget list of `window`, scaled from 96
// dpi to the window's. Images show `image` (0: none), stretched to fill their row when scaled.
void WidgetRowsCreate(HWND window, const WidgetRow* first, const WidgetRow* end, HANDLE image);

// The calculator window's widgets at 96 dpi.
extern const WidgetRow MainWidgets[];
extern const int MainWidgetCount;

// The calculator window's menus, widgets and status bar, in that order. The window comes
// with the 96-dpi client size and is made larger on a screen of greater scale; it is laid out
// again when it moves to a screen of another scale.
void MainLayoutBuild(HWND window, HANDLE headerImage);

// Texts of the status bar that the main loop shows.
extern const char InformationBarText[];
