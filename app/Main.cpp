// Kestrava's main routine: start-up, the main event loop with its routing, and the end.
#include "app/DialogPrompt.h"
#include "app/HelpWindow.h"
#include "app/Layout.h"
#include "app/RecentLists.h"
#include "app/Routing.h"
#include "app/StatsWindow.h"
#include "app/TradeWidgets.h"
#include "formats/CsvFile.h"
#include "formats/EntryFile.h"
#include "formats/ListFile.h"
#include "formats/SavedFile.h"
#include "runtime/Launcher.h"
#include "runtime/LineFile.h"
#include "runtime/Memory.h"
#include "runtime/Text.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Image.h"
#include "toolkit/Menu.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Widgets.h"
#include "trade/ListHistory.h"
#include "trade/Trade.h"
#include "trade/TradeList.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
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
    ListHistory history{sheet};
    bool quitRequested = false;
    RecentLists recent;
    std::string listPath;     // the file the list was last opened from or saved to
    bool listChanged = false; // since then
};

// What the main loop can do; the routing table below says on which event.
enum class Do {
    Quit,
    Nothing,
    Hint,               // the line's text in the status bar, centred
    InformationBar,     // "Information-Bar" back, centred
    InformationBarLeft, // the same, left-aligned
    Compute,
    Transfer,
    ClearEntry,
    Donate,
    Stats,
    LoadRow,
    DeleteRow,
    RowPopup,            // at the mouse
    RowPopupAtSelection, // below the selected row, for the keyboard
    CopyTable,
    OpenEntry,
    SaveEntry,
    ClearList,
    OpenList,
    SaveList,
    Help,
    OpenRecent, // the event's item says which
    ReopenSession,
    OpenDropped, // the first of the files dropped on the window
    ExportCsv,
    ImportCsv,
    Sort, // by the column whose header was clicked
    Undo,
    Redo,
};

constexpr int Main = MainWindow, Close = EventKindClose, Widget = EventKindWidget,
              Menu = EventKindMenu, Focus = SubtypeFocus, Lost = SubtypeLostFocus;
const char OptionHint[] = "Choose if you want to use numbers or percent for the yield";

const Route<Do> MainRoutes[] = {
    {Main, Close, AnyNumber, AnySubtype, Do::Quit, nullptr},
    {Main, EventFilesDropped, AnyNumber, AnySubtype, Do::OpenDropped, nullptr},
    // Keys do what the buttons and the mouse do; every other key stays the control's own.
    {Main, Widget, WareField, Key(VK_RETURN), Do::Compute, nullptr},
    {Main, Widget, BuyUnitsField, Key(VK_RETURN), Do::Compute, nullptr},
    {Main, Widget, BuyCostField, Key(VK_RETURN), Do::Compute, nullptr},
    {Main, Widget, SellUnitsField, Key(VK_RETURN), Do::Compute, nullptr},
    {Main, Widget, YieldField, Key(VK_RETURN), Do::Compute, nullptr},
    {Main, Widget, TradeList, Key(VK_RETURN), Do::LoadRow, nullptr},
    {Main, Widget, TradeList, Key(VK_DELETE), Do::DeleteRow, nullptr},
    {Main, Widget, TradeList, Key(VK_APPS), Do::RowPopupAtSelection, nullptr},
    {Main, Widget, TradeList, ControlKey('C'), Do::CopyTable, nullptr},
    {Main, Widget, AnyNumber, AnyKey, Do::Nothing, nullptr},
    // Buttons and options, on whatever they report.
    {Main, Widget, YieldNumbersOption, AnySubtype, Do::Hint, OptionHint},
    {Main, Widget, YieldPercentOption, AnySubtype, Do::Hint, OptionHint},
    {Main, Widget, ComputeButton, AnySubtype, Do::Compute, nullptr},
    {Main, Widget, TransferButton, AnySubtype, Do::Transfer, nullptr},
    {Main, Widget, ClearButton, AnySubtype, Do::ClearEntry, nullptr},
    {Main, Widget, DonateButton, AnySubtype, Do::Donate, nullptr},
    {Main, Widget, StatsButton, AnySubtype, Do::Stats, nullptr},
    // The list: a double click loads the row, a right click offers to delete it.
    {Main, Widget, TradeList, SubtypeLeftDoubleClick, Do::LoadRow, nullptr},
    {Main, Widget, TradeList, SubtypeRightButtonClick, Do::RowPopup, nullptr},
    {Main, Widget, TradeList, AnyColumnClick, Do::Sort, nullptr},
    // The field with the focus says what it is for.
    {Main, Widget, WareField, Focus, Do::Hint,
     "Insert the name of the ware with which you want to trade"},
    {Main, Widget, BuyUnitsField, Focus, Do::Hint, "Insert how much units you want to buy"},
    {Main, Widget, BuyCostField, Focus, Do::Hint, "Insert the buy-price of all units"},
    {Main, Widget, SellUnitsField, Focus, Do::Hint,
     "Insert the number of units which you want to sell"},
    {Main, Widget, YieldField, Focus, Do::Hint, "Insert the yield for each unit"},
    {Main, Widget, UnitPriceField, Focus, Do::Hint, "This is the sell-price of one unit"},
    {Main, Widget, SellPriceField, Focus, Do::Hint, "This is the sell-price of all units"},
    {Main, Widget, UnitYieldField, Focus, Do::Hint, "This is the yield of one unit"},
    {Main, Widget, YieldAmountField, Focus, Do::Hint, "This is the yield of all units"},
    {Main, Widget, YieldPercentField, Focus, Do::Hint, "This is the yield in percent"},
    {Main, Widget, BuyUnitsField, Lost, Do::InformationBarLeft, nullptr},
    {Main, Widget, WareField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, BuyCostField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, SellUnitsField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, YieldField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, UnitPriceField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, SellPriceField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, UnitYieldField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, YieldAmountField, Lost, Do::InformationBar, nullptr},
    {Main, Widget, YieldPercentField, Lost, Do::InformationBar, nullptr},
    // The menus.
    {Main, Menu, MenuClearEntry, AnySubtype, Do::ClearEntry, nullptr},
    {Main, Menu, MenuOpenEntry, AnySubtype, Do::OpenEntry, nullptr},
    {Main, Menu, MenuSaveEntry, AnySubtype, Do::SaveEntry, nullptr},
    {Main, Menu, MenuClearList, AnySubtype, Do::ClearList, nullptr},
    {Main, Menu, MenuOpenList, AnySubtype, Do::OpenList, nullptr},
    {Main, Menu, MenuSaveList, AnySubtype, Do::SaveList, nullptr},
    {Main, Menu, MenuExportCsv, AnySubtype, Do::ExportCsv, nullptr},
    {Main, Menu, MenuImportCsv, AnySubtype, Do::ImportCsv, nullptr},
    {Main, Menu, MenuQuit, AnySubtype, Do::Quit, nullptr},
    {Main, Menu, MenuUndo, AnySubtype, Do::Undo, nullptr},
    {Main, Menu, MenuRedo, AnySubtype, Do::Redo, nullptr},
    {Main, Menu, MenuHelp, AnySubtype, Do::Help, nullptr},
    {Main, Menu, MenuDonate, AnySubtype, Do::Donate, nullptr},
    {Main, Menu, MenuDeleteRow, AnySubtype, Do::DeleteRow, nullptr},
    {Main, Menu, MenuReopenSession, AnySubtype, Do::ReopenSession, nullptr},
    {Main, Menu, MenuRecentFirst, AnySubtype, Do::OpenRecent, nullptr},
    {Main, Menu, MenuRecentFirst + 1, AnySubtype, Do::OpenRecent, nullptr},
    {Main, Menu, MenuRecentFirst + 2, AnySubtype, Do::OpenRecent, nullptr},
    {Main, Menu, MenuRecentFirst + 3, AnySubtype, Do::OpenRecent, nullptr},
    {Main, Menu, MenuRecentFirst + 4, AnySubtype, Do::OpenRecent, nullptr},
    {Main, Menu, MenuRecentFirst + 5, AnySubtype, Do::OpenRecent, nullptr},
    {Main, Menu, MenuRecentFirst + 6, AnySubtype, Do::OpenRecent, nullptr},
    {Main, Menu, MenuRecentFirst + 7, AnySubtype, Do::OpenRecent, nullptr},
};
static_assert(RecentLists::Most == 8, "one line per recent list");

void HintShow(const char* text, int appearance = StatusBarCentered) {
    StatusBarSetText(MainStatusBar, 0, text, appearance);
}

// The popup at the selected row, or at the list's corner when none is selected.
void RowPopupShowAtSelection() {
    const POINT at = ListViewRowScreenPoint(TradeList, WidgetGetState(TradeList));
    PopupMenuShowAt(RowPopupMenu, WindowNativeHandle(MainWindow), at.x, at.y);
}

std::string FileNamePart(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string LastSessionPath() {
    return CurrentDirectory() + "Saved-Lists\\Last session.kvl";
}

// "Kestrava - <file name>", with a "*" while the list has changes that are not in the file.
void TitleShow(const App& app) {
    std::string title = "Kestrava";
    if (!app.listPath.empty())
        title += " - " + FileNamePart(app.listPath) + (app.listChanged ? "*" : "");
    SetWindowTextA(WindowNativeHandle(MainWindow), title.c_str());
}

void FileMenuShow(const App& app) {
    MenuClear(RecentMenu);
    const std::vector<std::string>& paths = app.recent.Paths();
    if (paths.empty())
        MenuAppend(RecentMenu, MenuRecentNone, "(none)", false);
    for (size_t i = 0; i < paths.size(); ++i)
        MenuAppend(RecentMenu, MenuRecentFirst + int(i),
                   ("&" + std::to_string(i + 1) + " " + FileNamePart(paths[i])).c_str());
    MenuItemSet(MainMenu, MenuReopenSession, "Reopen last session", FileExists(LastSessionPath()));
}

void ListNamed(App& app, const std::string& path, bool recent) {
    app.listPath = path;
    app.listChanged = false;
    if (recent)
        app.recent.Add(path);
    TitleShow(app);
    FileMenuShow(app);
}

// The Edit menu says what Undo and Redo would do.
void EditMenuShow(const App& app) {
    MenuItemSet(MainMenu, MenuUndo, (app.history.UndoText() + "\tCtrl+Z").c_str(),
                app.history.CanUndo());
    MenuItemSet(MainMenu, MenuRedo, (app.history.RedoText() + "\tCtrl+Y").c_str(),
                app.history.CanRedo());
}

void ListChanged(App& app, bool changed = true) {
    EditMenuShow(app);
    if (!changed)
        return;
    app.listChanged = true;
    TitleShow(app);
}

void ListOpen(App& app, BusyDialogPrompt& prompt, bool recent = true,
              const char* name = "Open list") {
    app.history.Replace(name, [&prompt](TradeSheet& sheet) { OpenList(sheet, prompt); });
    EditMenuShow(app);
    if (prompt.Chosen().empty())
        return;
    if (!prompt.Failed()) {
        ListNamed(app, prompt.Chosen(), recent);
    } else if (!FileExists(prompt.Chosen())) {
        app.recent.Remove(prompt.Chosen());
        FileMenuShow(app);
    }
}

// An imported list is named by its file, but only lists of our own are offered again.
void ListImport(App& app, BusyDialogPrompt& prompt) {
    app.history.Replace("Import CSV", [&prompt](TradeSheet& sheet) { ImportCsv(sheet, prompt); });
    EditMenuShow(app);
    if (!prompt.Chosen().empty() && !prompt.Failed())
        ListNamed(app, prompt.Chosen(), false);
}

void ListSave(App& app, BusyDialogPrompt& prompt) {
    SaveList(app.sheet, prompt);
    if (!prompt.Chosen().empty() && !prompt.Failed())
        ListNamed(app, SavedFileName(prompt.Chosen(), ".kvl"), true);
}

// A list with changes is kept for the next start, whenever the program ends.
void SessionKeep(App& app) {
    if (!app.listChanged)
        return;
    GivenFilePrompt prompt(LastSessionPath(), true);
    SaveList(app.sheet, prompt);
    app.listChanged = false;
}

App* running = nullptr; // for the end of the session, which comes outside the loop

void SessionEnd() {
    if (!running)
        return;
    SessionKeep(*running);
    running->quitRequested = true;
    PostMessageA(WindowNativeHandle(MainWindow), WM_NULL, 0, 0); // the loop sees it
}

// Opens a file the way the menu opens its kind; other kinds are refused.
void FileOpenGiven(App& app, const std::string& path) {
    GivenFilePrompt prompt(path);
    std::string extension = path.substr(std::min(path.size(), path.find_last_of('.')));
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".kvl")
        ListOpen(app, prompt);
    else if (extension == ".kve")
        OpenEntry(app.fields, prompt);
    else if (extension == ".csv")
        ListImport(app, prompt);
    else
        prompt.MessageShow("ERROR", "Can't open this kind of file!");
}

void CommandRun(App& app, const Route<Do>& route, const Event& event) {
    switch (route.command) {
    case Do::Quit:
        SessionKeep(app);
        app.quitRequested = true;
        break;
    case Do::Nothing: break;
    case Do::Hint: HintShow(route.text); break;
    case Do::InformationBar: HintShow(InformationBarText); break;
    case Do::InformationBarLeft: HintShow(InformationBarText, 0); break;
    case Do::Compute: Compute(app.fields); break;
    case Do::Transfer: ListChanged(app, app.history.Transfer()); break;
    case Do::ClearEntry: ClearEntry(app.fields); break;
    case Do::Donate: ProgramRun(DonateUrl); break;
    case Do::Stats: StatsWindowRun(app.table, app.fields); break;
    case Do::LoadRow: LoadRowIntoEntry(app.sheet); break;
    case Do::DeleteRow: ListChanged(app, app.history.Delete()); break;
    case Do::RowPopup: PopupMenuShow(RowPopupMenu, WindowNativeHandle(MainWindow)); break;
    case Do::RowPopupAtSelection: RowPopupShowAtSelection(); break;
    case Do::CopyTable: TradeTableCopy(app.table, app.fields); break;
    case Do::OpenEntry: OpenEntry(app.fields, app.prompt); break;
    case Do::SaveEntry: SaveEntry(app.fields, app.prompt); break;
    case Do::ClearList: ListChanged(app, app.history.Clear()); break;
    case Do::Sort: ListChanged(app, app.history.Sort(event.subtype & ~SubtypeColumnClick)); break;
    case Do::Undo: ListChanged(app, app.history.Undo()); break;
    case Do::Redo: ListChanged(app, app.history.Redo()); break;
    case Do::OpenList: {
        BusyDialogPrompt prompt; // a long list takes a moment
        ListOpen(app, prompt);
        break;
    }
    case Do::SaveList: {
        BusyDialogPrompt prompt;
        ListSave(app, prompt);
        break;
    }
    case Do::ExportCsv: {
        BusyDialogPrompt prompt;
        ExportCsv(app.sheet, prompt);
        break;
    }
    case Do::ImportCsv: {
        BusyDialogPrompt prompt;
        ListImport(app, prompt);
        break;
    }
    case Do::Help: HelpWindowRun(app.helpLines, app.headerImage); break;
    case Do::OpenRecent: {
        const size_t index = size_t(event.number - MenuRecentFirst);
        if (index < app.recent.Paths().size()) {
            GivenFilePrompt prompt(app.recent.Paths()[index]);
            ListOpen(app, prompt);
        }
        break;
    }
    case Do::OpenDropped: FileOpenGiven(app, WindowFilesDropped().front()); break;
    case Do::ReopenSession: {
        GivenFilePrompt prompt(LastSessionPath());
        ListOpen(app, prompt, false, "Reopen last session");
        break;
    }
    }
}

// The file named on the command line: the first quoted argument, or else all of it, so that a
// path with blanks also works unquoted. Empty when none is given.
std::string CommandLineFile(const char* line) {
    std::string text = line ? line : "";
    const size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return "";
    if (text[start] == '"')
        return text.substr(start + 1, text.find('"', start + 1) - start - 1);
    return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
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
    running = &app;
    WindowEndSessionHookSet(SessionEnd);
    while (!app.quitRequested) {
        const Event event = EventNext();
        if (const Route<Do>* route = RouteFind(MainRoutes, event))
            CommandRun(app, *route, event);
    }
    running = nullptr;
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

// Started for a file, as a double click on a list does, the program is given the file's folder
// (or the caller's) as its working folder; its data and save folders are beside it. The file is
// taken as a full path first, then the program works from its own folder.
std::string GivenFileTake(const char* commandLine) {
    std::string given = CommandLineFile(commandLine);
    if (given.empty())
        return given;
    char full[MAX_PATH * 2] = {}, program[MAX_PATH * 2] = {};
    if (const DWORD size = GetFullPathNameA(given.c_str(), sizeof full, full, nullptr);
        size && size < sizeof full)
        given = full;
    const std::string path(program, GetModuleFileNameA(nullptr, program, sizeof program));
    if (const size_t slash = path.find_last_of('\\'); slash != std::string::npos)
        SetCurrentDirectoryA(path.substr(0, slash).c_str());
    return given;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    const std::string given = GivenFileTake(commandLine);
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
        app.recent.Load();
        FileMenuShow(app);
        EditMenuShow(app);
        WindowMenuKeyAdd(MainWindow, 'Z', MenuUndo);
        WindowMenuKeyAdd(MainWindow, 'Y', MenuRedo);
        WindowFilesAccept(MainWindow);
        WindowShow(MainWindow);
        if (!given.empty())
            FileOpenGiven(app, given);
        MainLoop(app);
    }
    ImageFreeAll();
    WindowCloseAll();
    FileCloseAll();
    MemoryShutdown();
    return 0;
}
