#include "app/Layout.h"

#include "toolkit/Dpi.h"
#include "toolkit/EditorWidget.h"
#include "toolkit/ImageWidget.h"
#include "toolkit/Menu.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Widgets.h"
#include "trade/Columns.h"

#include <algorithm>
#include <iterator>

const char InformationBarText[] = "Information-Bar";

namespace {

constexpr int ReadOnly = StringReadOnly;
constexpr int CenteredSunken = TextCentered | TextSunken;
constexpr int GroupBox = FrameTitled, SunkenEdge = FrameSunken, StaticEdge = FrameStaticEdge,
              FlatBorder = FrameBorder;
constexpr int GridFullRow = ListViewGridLines | ListViewWholeRowSelection;
constexpr int StatusFieldWidth = 1024;

constexpr int ResultBack = RGB(235, 235, 255);
constexpr int BuyTotalBack = RGB(255, 244, 244);
constexpr int SellTotalBack = RGB(244, 255, 244);
constexpr int YieldTotalBack = RGB(225, 255, 225);

using T = WidgetType;

} // namespace

// In creation order, which is also the Tab order.
const WidgetRow MainWidgets[] = {
    {BuyFrame, T::Frame, 11, 57, 180, 86, "Insert Buydatas:", GroupBox, -1},
    {SellFrame, T::Frame, 11, 145, 180, 69, "Insert Selldatas:", GroupBox, -1},
    {ResultsFrame, T::Frame, 11, 216, 180, 121, "Results:", GroupBox, -1},
    {WareField, T::String, 21, 84, 160, 20, "Ware", 0, -1},
    {BuyUnitsField, T::String, 21, 118, 70, 20, "0", 0, -1},
    {BuyCostField, T::String, 111, 118, 70, 20, "0", 0, -1},
    {SellUnitsField, T::String, 21, 178, 70, 20, "0", 0, -1},
    {YieldNumbersOption, T::Option, 109, 170, 40, 19, "1 2 3", 0, -1},
    {YieldPercentOption, T::Option, 158, 170, 30, 19, "%", 0, -1},
    {YieldField, T::String, 111, 189, 70, 20, "0", 0, -1},
    {UnitPriceField, T::String, 21, 244, 70, 20, "0", ReadOnly, ResultBack},
    {SellPriceField, T::String, 111, 244, 70, 20, "0", ReadOnly, ResultBack},
    {UnitYieldField, T::String, 21, 278, 70, 20, "0", ReadOnly, ResultBack},
    {YieldAmountField, T::String, 111, 278, 70, 20, "0", ReadOnly, ResultBack},
    {YieldPercentField, T::String, 21, 312, 70, 20, "0", ReadOnly, ResultBack},
    {ComputeButton, T::Button, 16, 339, 105, 20, "COMPUTE", 0, -1},
    {TransferButton, T::Button, 198, 118, 21, 170, "->", 0, -1},
    {ClearButton, T::Button, 126, 339, 55, 20, "CLEAR", 0, -1},
    {StatsButton, T::Button, 116, 310, 58, 20, "Stats", 0, -1},
    {BuyUnitsLabel, T::Text, 21, 104, 40, 12, "Number:", 0, -1},
    {BuyCostLabel, T::Text, 111, 104, 30, 12, "Cost:", 0, -1},
    {SellUnitsLabel, T::Text, 21, 164, 40, 12, "Number:", 0, -1},
    {YieldLabel, T::Text, 111, 157, 30, 12, "Yield:", 0, -1},
    {UnitPriceLabel, T::Text, 21, 230, 44, 12, "Unitprice:", 0, -1},
    {SellPriceLabel, T::Text, 111, 230, 42, 12, "Sellprice:", 0, -1},
    {UnitYieldLabel, T::Text, 21, 264, 61, 13, "Unityield  ($):", 0, -1},
    {YieldAmountLabel, T::Text, 111, 264, 44, 13, "Yield  ($):", 0, -1},
    {YieldPercentLabel, T::Text, 21, 298, 46, 13, "Yield  (%):", 0, -1},
    {ProductLabel, T::Text, 21, 70, 40, 12, "Product:", 0, -1},
    {TradeList, T::ListView, 225, 63, 784, 275, "", GridFullRow, -1}, // columns: trade/Columns.h
    {HeaderImage, T::Image, 6, 3, 520, 45, "", WS_EX_CLIENTEDGE, -1},
    {EntryPanelFrame, T::Frame, 8, 56, 186, 306, "", FlatBorder, -1},
    {ListPanelFrame, T::Frame, 222, 56, 789, 306, "", StaticEdge, -1},
    {OuterFrame, T::Frame, 3, 51, 1012, 315, "", SunkenEdge, -1},
    {VersionText, T::Text, -48, 10, 41, 17, "v.1.0b", CenteredSunken, -1},
    {CreditText, T::Text, -266, 30, 260, 17, "Made for traders who count every unit",
     CenteredSunken, -1},
    {TotalLabel, T::Text, 304, 340, 50, 17, "Total:", CenteredSunken, -1},
    {DonateButton, T::Button, 752, 8, 210, 20, "DONATE", 0, -1},
    {TotalBuyUnitsField, T::String, 356, 338, 56, 20, "0", ReadOnly, BuyTotalBack},
    {TotalBuyPriceField, T::String, 412, 338, 90, 20, "0", ReadOnly, BuyTotalBack},
    {TotalUnitPriceField, T::String, 502, 338, 90, 20, "0", ReadOnly, SellTotalBack},
    {TotalUnitYieldField, T::String, 592, 338, 90, 20, "0", ReadOnly, SellTotalBack},
    {TotalYieldAmountField, T::String, 828, 338, 90, 20, "0", ReadOnly, YieldTotalBack},
    {TotalYieldPercentField, T::String, 918, 338, 91, 20, "0", ReadOnly, YieldTotalBack},
    {TotalSellUnitsField, T::String, 682, 338, 56, 20, "0", ReadOnly, SellTotalBack},
    {TotalSellPriceField, T::String, 738, 338, 90, 20, "0", ReadOnly, SellTotalBack},
};
const int MainWidgetCount = int(std::size(MainWidgets));

namespace {

struct MenuLine {
    int item; // 0: a separator; -1: a new title; -2: the recent lists
    const char* text;
};
const MenuLine MainMenuLines[] = {
    {-1, "File"},
    {MenuClearEntry, "Clear entry"},
    {MenuOpenEntry, "Open entry"},
    {MenuSaveEntry, "Save entry"},
    {0, nullptr},
    {MenuClearList, "Clear list"},
    {MenuOpenList, "Open list"},
    {MenuSaveList, "Save list"},
    {MenuExportCsv, "Export list as CSV..."},
    {MenuImportCsv, "Import list from CSV..."},
    {0, nullptr},
    {-2, "Recent lists"},
    {MenuReopenSession, "Reopen last session"},
    {0, nullptr},
    {MenuQuit, "Quit"},
    {-1, "Edit"},
    {MenuUndo, "Undo\tCtrl+Z"},
    {MenuRedo, "Redo\tCtrl+Y"},
    {-1, "?"},
    {MenuHelp, "Help"},
    {0, nullptr},
    {MenuDonate, "Donate"},
};

// A row's rectangle at `dpi`, its x taken from the right edge when below 0.
RECT RowPlace(const WidgetRow& row, int dpi, int clientWidth) {
    const int x = DpiScale(row.x, dpi);
    const int left = row.x < 0 ? clientWidth + x : x, top = DpiScale(row.y, dpi);
    return {left, top, left + DpiScale(row.width, dpi), top + DpiScale(row.height, dpi)};
}

// The image widget takes its image's size: at another scale it gets a stretched copy that
// fills the row.
HANDLE ImageForPlace(HANDLE image, const WidgetRow& row, const RECT& place, int dpi) {
    if (dpi == BaseDpi)
        return image;
    const int edge = (row.flags & WS_EX_CLIENTEDGE) ? 4 : 0;
    return BitmapStretched(image, place.right - place.left - edge, place.bottom - place.top - edge);
}

intptr_t WidgetRowCreate(const WidgetRow& row, const RECT& place, int dpi, HANDLE image) {
    const int x = place.left, y = place.top, w = place.right - x, h = place.bottom - y;
    switch (row.type) {
    case T::Frame: return FrameWidgetCreate(row.number, x, y, w, h, row.text, row.flags);
    case T::Text: return TextWidgetCreate(row.number, x, y, w, h, row.text, row.flags);
    case T::String: return StringWidgetCreate(row.number, x, y, w, h, row.text, row.flags);
    case T::Option: return OptionWidgetCreate(row.number, x, y, w, h, row.text);
    case T::Button: return ButtonWidgetCreate(row.number, x, y, w, h, row.text, row.flags);
    case T::ListView:
        return ListViewWidgetCreate(row.number, x, y, w, h, Columns[0].title,
                                    DpiScale(Columns[0].width, dpi), row.flags);
    case T::Editor: return EditorWidgetCreate(row.number, x, y, w, h, row.flags);
    case T::Image:
        return ImageWidgetCreate(row.number, x, y, w, h, ImageForPlace(image, row, place, dpi),
                                 DWORD(row.flags));
    }
    return 0;
}

const WidgetRow* RowAfter(int number) {
    return std::find_if(std::begin(MainWidgets), std::end(MainWidgets),
                        [number](const WidgetRow& row) { return row.number == number; }) +
           1;
}

int ClientWidth(HWND window) {
    RECT client;
    return GetClientRect(window, &client) ? client.right : 0;
}

HANDLE mainHeaderImage = nullptr; // the caller's, shown in the header

// The window moved to a screen of another scale and has its new size already.
void MainLayoutRescale(HWND window, int dpi) {
    const int clientWidth = ClientWidth(window);
    for (const WidgetRow& row : MainWidgets) {
        const RECT place = RowPlace(row, dpi, clientWidth);
        if (row.type == T::Image) // the image widget takes the image's size
            WidgetSetState(row.number, static_cast<int>(reinterpret_cast<intptr_t>(
                                           ImageForPlace(mainHeaderImage, row, place, dpi))));
        WidgetResize(row.number, place.left, place.top, place.right - place.left,
                     place.bottom - place.top);
    }
    for (int column = 0; column < ColumnCount; ++column)
        WidgetSetItemAttribute(TradeList, 0, ListViewColumnWidth,
                               DpiScale(Columns[column].width, dpi), column);
    WindowFontsSet(window, dpi);
    StatusBarFieldWidthSet(MainStatusBar, DpiScale(StatusFieldWidth, dpi));
    InvalidateRect(window, nullptr, TRUE);
}

} // namespace

void WidgetRowsCreate(HWND window, const WidgetRow* first, const WidgetRow* end, HANDLE image) {
    const int dpi = WindowDpi(window), clientWidth = ClientWidth(window);
    const WidgetRow* colored = nullptr; // the first of a run of coloured fields
    for (const WidgetRow* row = first; row != end; ++row) {
        WidgetRowCreate(*row, RowPlace(*row, dpi, clientWidth), dpi, image);
        // A run of coloured fields gets its colours once the whole run exists.
        if (row->backColor != -1 && !colored)
            colored = row;
        if (colored && (row + 1 == end || row[1].backColor == -1)) {
            for (; colored != row + 1; ++colored)
                WidgetSetColor(colored->number, WidgetColorBack, colored->backColor);
            colored = nullptr;
        }
    }
}

void MainLayoutBuild(HWND window, HANDLE headerImage) {
    // The window was opened with the 96-dpi client size and has no menu yet.
    const int dpi = WindowDpi(window);
    if (dpi != BaseDpi)
        if (RECT client; GetClientRect(window, &client))
            WindowClientSizeSet(window, DpiScale(client.right, dpi), DpiScale(client.bottom, dpi));
    mainHeaderImage = headerImage;
    PopupMenuCreate(RecentMenu); // filled by the program as lists are opened and saved
    if (MenuCreate(MainMenu, window))
        for (const MenuLine& line : MainMenuLines) {
            if (line.item == -1)
                MenuAddTitle(line.text);
            else if (line.item == -2)
                MenuAddSubmenu(RecentMenu, line.text);
            else if (line.item == 0)
                MenuAddBar();
            else
                MenuAddItem(line.item, line.text);
        }
    if (PopupMenuCreate(RowPopupMenu))
        MenuAddItem(MenuDeleteRow, "Delete");

    if (WidgetListBegin(window)) {
        const WidgetRow* afterOptions = RowAfter(YieldPercentOption);
        const WidgetRow* afterList = RowAfter(TradeList);
        WidgetRowsCreate(window, std::begin(MainWidgets), afterOptions, headerImage);
        WidgetSetState(YieldNumbersOption, 1);
        WidgetRowsCreate(window, afterOptions, afterList, headerImage);
        // The first column comes with the widget.
        for (int column = 1; column < ColumnCount; ++column)
            WidgetAddColumn(TradeList, column, Columns[column].title,
                            DpiScale(Columns[column].width, dpi));
        WidgetRowsCreate(window, afterList, std::end(MainWidgets), headerImage);
    }

    if (StatusBarCreate(MainStatusBar, window))
        StatusBarAddField(DpiScale(StatusFieldWidth, dpi));
    StatusBarSetText(MainStatusBar, 0, InformationBarText, StatusBarCentered);
    if (dpi != WindowDpi(nullptr)) // the stock font is at the system's scale
        WindowFontsSet(window, dpi);
    WindowDpiHandlerSet(window, MainLayoutRescale);
}
