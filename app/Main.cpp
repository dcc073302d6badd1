// Kestrava's main routine: start-up, the main event loop with its routing, and the end.
#include "app/DialogPrompt.h"
#include "app/HelpWindow.h"
#include "app/Layout.h"
#include "app/StatsWindow.h"
#include "app/TradeWidgets.h"
#include "formats/EntryFile.h"
#include "formats/ListFile.h"
#include "runtime/Launcher.h"
#include "runtime/LineFile.h"
#include "runtime/Memory.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Image.h"
#include "toolkit/Menu.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Widgets.h"
#include "trade/Trade.h"
#include "trade/TradeList.h"

#include <windows.h>

#include <string>
#include <vector>

namespace {

constexpr int HelpFileNumber = 0;

// Everything the actions work on besides the widgets themselves.
struct App {
    std::vector<std::string> helpLines;
    HANDLE headerImage = nullptr;
    YieldModes rowYieldModes;
    WidgetFields fields;
    ListViewTable table{TradeList};
    DialogPrompt prompt;
    TradeSheet sheet{fields, table, rowYieldModes};
    bool quitRequested = false;
};

void HintShow(const char* text, int appearance = StatusBarCentred) {
    StatusBarSetText(MainStatusBar, 0, text, appearance);
}

const char* FieldHint(int widget) {
    switch (widget) {
    case WareField: return "Insert the name of the ware with which you want to trade";
    case BuyUnitsField: return "Insert how much units you want to buy";
    case BuyCostField: return "Insert the buy-price of all units";
    case SellUnitsField: return "Insert the number of units which you want to sell";
    case YieldField: return "Insert the yield for each unit";
    case UnitPriceField: return "This is the sell-price of one unit";
    case SellPriceField: return "This is the sell-price of all units";
    case UnitYieldField: return "This is the yield of one unit";
    case YieldAmountField: return "This is the yield of all units";
    case YieldPercentField: return "This is the yield in percent";
    }
    return nullptr;
}

void WidgetActionRoute(App& app, int widget) {
    switch (widget) {
    case YieldNumbersOption:
    case YieldPercentOption:
        HintShow("Choose if you want to use numbers or percent for the yield");
        break;
    case ComputeButton: Compute(app.fields); break;
    case TransferButton: TransferEntry(app.sheet); break;
    case ClearButton: ClearEntry(app.fields); break;
    case DonateButton: ProgramRun(DonateUrl); break;
    case StatsButton: StatsWindowRun(app.table, app.fields); break;
    }
}

void WidgetHintRoute(App& app, int widget, int subtype) {
    if (widget == TradeList) {
        if (subtype == SubtypeLeftDoubleClick)
            LoadRowIntoEntry(app.sheet);
        else if (subtype == SubtypeRightButtonClick)
            PopupMenuShow(RowPopupMenu, WindowNativeHandle(MainWindow));
        return;
    }
    const char* hint = FieldHint(widget);
    if (!hint)
        return;
    if (subtype == SubtypeFocus)
        HintShow(hint);
    else if (subtype == SubtypeLostFocus)
        HintShow(InformationBarText, widget == BuyUnitsField ? 0 : StatusBarCentred);
}

// The popup at the selected row, or at the list's corner when none is selected.
void RowPopupShowAtSelection() {
    const POINT at = ListViewRowScreenPoint(TradeList, WidgetGetState(TradeList));
    PopupMenuShowAt(RowPopupMenu, WindowNativeHandle(MainWindow), at.x, at.y);
}

bool EntryField(int widget) {
    return widget == WareField || widget == BuyUnitsField || widget == BuyCostField ||
           widget == SellUnitsField || widget == YieldField;
}

// Keys that do what the buttons and the mouse do.
void KeyRoute(App& app, int widget, int key) {
    if (EntryField(widget) && key == (SubtypeKey | VK_RETURN))
        Compute(app.fields);
    if (widget != TradeList)
        return;
    switch (key) {
    case SubtypeKey | VK_RETURN: LoadRowIntoEntry(app.sheet); break;
    case SubtypeKey | VK_DELETE: DeleteRow(app.sheet); break;
    case SubtypeKey | VK_APPS: RowPopupShowAtSelection(); break;
    case SubtypeKey | SubtypeKeyControl | 'C': TradeTableCopy(app.table, app.fields); break;
    }
}

void MenuRoute(App& app, int item) {
    switch (item) {
    case MenuClearEntry: ClearEntry(app.fields); break;
    case MenuOpenEntry: OpenEntry(app.fields, app.prompt); break;
    case MenuSaveEntry: SaveEntry(app.fields, app.prompt); break;
    case MenuClearList: ClearList(app.sheet); break;
    case MenuOpenList: {
        BusyDialogPrompt prompt; // a long list takes a moment
        OpenList(app.sheet, prompt);
        break;
    }
    case MenuSaveList: {
        BusyDialogPrompt prompt;
        SaveList(app.sheet, prompt);
        break;
    }
    case MenuQuit: app.quitRequested = true; break;
    case MenuHelp: HelpWindowRun(app.helpLines, app.headerImage); break;
    case MenuDonate: ProgramRun(DonateUrl); break;
    case MenuDeleteRow: DeleteRow(app.sheet); break;
    }
}

void HelpLinesRead(std::vector<std::string>& lines) {
    if (!FileOpenRead(HelpFileNumber, "data\\help.txt")) {
        WindowShow(MainWindow); // the error stands in front of the window, as always
        MessageBoxShow("ERROR", "Helptext (.../Kestrava/data/help.txt) doesn't exist!");
        return;
    }
    while (!FileAtEnd(HelpFileNumber))
        lines.push_back(FileReadLine(HelpFileNumber));
    FileClose(HelpFileNumber);
}

void MainLoop(App& app) {
    while (!app.quitRequested) {
        const int kind = EventWait();
        // Read once: an action's own text changes raise notifications that replace these.
        const int number = EventWidgetId();
        const int subtype = EventSubtype();
        switch (kind) {
        case EventKindClose: app.quitRequested = true; break;
        case EventKindWidget:
            if ((subtype & ~0xFFFF) == SubtypeKey) {
                KeyRoute(app, number, subtype);
                break;
            }
            WidgetActionRoute(app, number);
            WidgetHintRoute(app, number, subtype);
            break;
        case EventKindMenu: MenuRoute(app, number); break;
        }
    }
}

void LibrariesInit() {
    MemoryInit();
    FilesInit();
    WindowsInit();
    WidgetsInit();
    ImageDecodersReset();
    ImagesInit();
    MenusInit();
    LauncherInit();
    CommonControlsInit();
    StatusBarsInit();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    LibrariesInit();
    // Built hidden and shown whole: on a window already on screen every menu item costs a new
    // frame and every control a redraw of its own.
    HWND window = reinterpret_cast<HWND>(
        WindowOpen(MainWindow, 0, 0, 1018, 413, "Kestrava",
                   WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WindowInvisible, nullptr));
    if (window) {
        App app;
        app.headerImage = reinterpret_cast<HANDLE>(ImageLoad(HeaderBitmap, "data/header.bmp"));
        HelpLinesRead(app.helpLines);
        MainLayoutBuild(window, app.headerImage);
        WindowShow(MainWindow);
        MainLoop(app);
    }
    ImageFreeAll();
    WindowCloseAll();
    FileCloseAll();
    MemoryShutdown();
    return 0;
}
