// The calculator's real main window for the list benchmarks: the program's own start-up,
// layout and adapters, and list files of a given size made the way the program saves them.
#pragma once

#include "app/Layout.h"
#include "app/TradeWidgets.h"
#include "bench/Bench.h"
#include "bench/BenchLists.h"
#include "formats/ListFile.h"
#include "runtime/LineFile.h"
#include "runtime/Memory.h"
#include "runtime/NumberText.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"
#include "toolkit/Image.h"
#include "toolkit/Menu.h"
#include "toolkit/StatusBar.h"
#include "toolkit/Widgets.h"

#include <cstdio>
#include <string>
#include <vector>

struct MainWindowBench {
    WidgetFields fields;
    ListViewTable table{TradeList};
    YieldModes modes;
    TradeSheet sheet{fields, table, modes};
    HWND window = nullptr;

    MainWindowBench() {
        MemoryInit();
        FilesInit();
        WindowsInit();
        WidgetsInit();
        ImagesInit();
        MenusInit();
        CommonControlsInit();
        StatusBarsInit();
        window = reinterpret_cast<HWND>(
            WindowOpen(MainWindow, 0, 0, 1018, 413, "Kestrava", WS_CAPTION | WS_SYSMENU, nullptr));
        MainLayoutBuild(window, nullptr);
        LoopRun();
    }
    // Runs every waiting message, as the program's loop does once a command returns, and
    // draws what changed.
    void LoopRun() {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        UpdateWindow(window);
    }
    void ListClear() {
        WidgetRemoveAllItems(TradeList);
        modes.clear();
        LoopRun();
    }
};

// A list of `rows` rows saved by the program's own command; the rows stay in `source`.
inline void BenchListMake(MemorySheet& source, int rows, const std::string& path) {
    BenchSheetFill(source, rows);
    source.Totals({"1", "2", "3", "4", "5", "6", "7", "8"});
    MemoryPrompt prompt(path);
    SaveList(source.sheet, prompt);
}
