// Filling a list view row by row through WidgetAddItem, as opening a list file does, against
// a floor: the same cells inserted straight into a bare list-view control with redrawing off.
// Both end with the list drawn once. Afterwards every cell is read back and compared.
#include "bench/Bench.h"

#include "runtime/Memory.h"
#include "toolkit/WidgetFramework.h"
#include "toolkit/Widgets.h"
#include "toolkit/Window.h"

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

const int Columns = 9;
const int List = 1;
const DWORD ListStyle = 0x50010045;

std::vector<std::vector<std::string>> RowCells(int rows) {
    std::vector<std::vector<std::string>> cells(static_cast<size_t>(rows));
    for (int row = 0; row < rows; ++row) {
        cells[row].push_back("Ware number " + std::to_string(row));
        for (int column = 1; column < Columns; ++column)
            cells[row].push_back(std::to_string(row * 7 + column) + ".0000000000");
    }
    return cells;
}

std::string RowText(const std::vector<std::string>& cells) {
    std::string text;
    for (const std::string& cell : cells)
        text += (text.empty() ? "" : "\n") + cell;
    return text;
}

// Runs every waiting message, as the program's loop does once the filling call returns.
void LoopRun(HWND control) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    UpdateWindow(control);
}

double Milliseconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

HWND BareListCreate(HWND parent) {
    HWND control = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", ListStyle, 0, 0, 1000, 400,
                                   parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, 0x21, 0x21);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(WidgetFont()), TRUE);
    for (int column = 0; column < Columns; ++column) {
        LVCOLUMNA title = {};
        title.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        title.cx = 100;
        title.pszText = const_cast<char*>("column");
        title.iSubItem = column;
        SendMessageA(control, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&title));
    }
    return control;
}

double FloorFill(HWND parent, const std::vector<std::vector<std::string>>& cells) {
    HWND control = BareListCreate(parent);
    LoopRun(control);
    auto start = std::chrono::steady_clock::now();
    SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    for (size_t row = 0; row < cells.size(); ++row) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = static_cast<int>(row);
        item.pszText = const_cast<char*>(cells[row][0].c_str());
        SendMessageA(control, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int column = 1; column < Columns; ++column) {
            item.iSubItem = column;
            item.pszText = const_cast<char*>(cells[row][column].c_str());
            SendMessageA(control, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
        }
    }
    SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(control, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
    LoopRun(control);
    double ms = Milliseconds(start);
    DestroyWindow(control);
    LoopRun(parent);
    return ms;
}

double WidgetFill(const std::vector<std::string>& texts) {
    ListViewWidgetCreate(List, 0, 0, 1000, 400, "column", 100, 0x40010000);
    for (int column = 1; column < Columns; ++column)
        WidgetAddColumn(List, column, "column", 100);
    HWND control = WidgetLookup(List)->Handle;
    LoopRun(control);
    auto start = std::chrono::steady_clock::now();
    for (const std::string& text : texts)
        WidgetAddItem(List, -1, text.c_str());
    LoopRun(control);
    return Milliseconds(start);
}

// Every cell of the widget as it was given; the list's scroll range covers every row.
bool CellsCheck(const std::vector<std::vector<std::string>>& cells) {
    if (WidgetCountItems(List) != static_cast<int>(cells.size()))
        return false;
    for (size_t row = 0; row < cells.size(); ++row)
        for (int column = 0; column < Columns; ++column)
            if (WidgetGetItemText(List, static_cast<int>(row), column) != cells[row][column])
                return false;
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE;
    GetScrollInfo(WidgetLookup(List)->Handle, SB_VERT, &scroll);
    return scroll.nMax + 1 == static_cast<int>(cells.size());
}

} // namespace

int main() {
    MemoryInit();
    WindowsInit();
    WidgetsInit();
    CommonControlsInit();
    HWND window = reinterpret_cast<HWND>(WindowOpen(0, 0, 0, 1018, 413, "fill", 0, nullptr));
    if (!window) {
        std::printf("no window\n");
        return 1;
    }
    WidgetListBegin(window);

    BenchPairs worst;
    std::string figures;
    bool allCorrect = true;
    for (int rows : {10000, 100000}) {
        auto cells = RowCells(rows);
        std::vector<std::string> texts;
        for (auto& row : cells)
            texts.push_back(RowText(row));
        std::vector<double> ratios, measures, floors;
        bool correct = false;
        for (int i = 0; i < 5; ++i) {
            // A pair: the floor right beside the measured fill, in alternating order.
            double floor = i % 2 == 0 ? FloorFill(window, cells) : 0;
            const double measured = WidgetFill(texts);
            if (i % 2 == 1)
                floor = FloorFill(window, cells);
            measures.push_back(measured);
            floors.push_back(floor);
            ratios.push_back(measured / floor);
            if (i == 4)
                correct = CellsCheck(cells);
            // Both runs start from a window without a big list in it.
            DestroyWindow(WidgetLookup(List)->Handle);
            LoopRun(window);
        }
        allCorrect = allCorrect && correct;
        const BenchPairs pairs = {BenchMedian(ratios), BenchMedian(measures), BenchMedian(floors)};
        std::printf(
            "rows=%d measured_ms=%.1f floor_ms=%.1f ratio=%.3f us_per_row=%.2f cells_ok=%d\n", rows,
            pairs.measuredMs, pairs.floorMs, pairs.ratio, pairs.measuredMs * 1000 / rows,
            correct ? 1 : 0);
        std::fflush(stdout);
        figures += " ratio_" + std::to_string(rows) + "=" + std::to_string(pairs.ratio);
        if (pairs.ratio > worst.ratio)
            worst = pairs;
    }
    figures += allCorrect ? " cells_ok=1" : " cells_ok=0";
    WindowCloseAll();
    BenchResult("list_view_fill", worst, figures.c_str() + 1);
    return allCorrect ? 0 : 1;
}
