#include "app/StatsWindow.h"

#include "app/Routing.h"
#include "app/WindowNumbers.h"
#include "runtime/NumberText.h"
#include "toolkit/Clipboard.h"
#include "toolkit/Dpi.h"
#include "toolkit/Gdi.h"
#include "toolkit/ImageWidget.h"
#include "toolkit/Widgets.h"
#include "trade/TradeStats.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

namespace {

constexpr int ClientWidth = 620, ClientHeight = 470;
constexpr int ChartWidth = 600, ChartHeight = 200;
constexpr COLORREF GainColor = RGB(46, 139, 87), LossColor = RGB(200, 40, 40);
constexpr COLORREF ZeroLineColor = RGB(90, 90, 90), LabelColor = RGB(40, 40, 40);

enum class Do { Nothing, Close, Copy };

// As in a dialog: Enter presses the focused button, or OK; Escape cancels; other keys are the
// controls' own. Events of other windows are dropped: the calculator waits behind this one.
constexpr int Stats = StatsWindow, Widget = EventKindWidget;
const Route<Do> StatsRoutes[] = {
    {Stats, EventKindClose, AnyNumber, AnySubtype, Do::Close, nullptr},
    {Stats, Widget, StatsCopyButton, Key(VK_RETURN), Do::Copy, nullptr},
    {Stats, Widget, AnyNumber, Key(VK_RETURN), Do::Close, nullptr},
    {Stats, Widget, AnyNumber, Key(VK_ESCAPE), Do::Close, nullptr},
    {Stats, Widget, AnyNumber, AnyKey, Do::Nothing, nullptr},
    {Stats, Widget, StatsCopyButton, BN_CLICKED, Do::Copy, nullptr},
    {Stats, Widget, StatsOkButton, AnySubtype, Do::Close, nullptr},
};

// The chart's side at `dpi`: its widget, whose edge keeps its width, scales as a whole.
int ChartSize(int side, int dpi) {
    return DpiScale(side + 4, dpi) - 4;
}

// Sizes at 96 dpi; the chart is drawn at the screen's scale.
void BarsDraw(HDC dc, const std::vector<TradeStats::Row>& bars, int dpi) {
    const auto scaled = [dpi](int value) { return DpiScale(value, dpi); };
    const int Top = scaled(8), LabelStrip = scaled(56), Margin = scaled(10);
    const int chartWidth = ChartSize(ChartWidth, dpi), chartHeight = ChartSize(ChartHeight, dpi);
    const int plotHeight = chartHeight - Top - LabelStrip - scaled(4);
    double largest = 0;
    bool losses = false;
    for (const TradeStats::Row& bar : bars) {
        largest = std::max(largest, std::fabs(bar.value));
        losses = losses || bar.value < 0;
    }
    // Gains rise from the zero line, losses hang below it, both on one scale.
    const int zero = Top + (losses ? plotHeight / 2 : plotHeight);
    const int scale = losses ? plotHeight / 2 : plotHeight;
    const int slot = (chartWidth - 2 * Margin) / int(bars.size());
    const int barWidth = std::max(1, std::min(scaled(40), slot * 2 / 3));

    const GdiObject<HBRUSH> gain = SolidBrushCreate(GainColor), loss = SolidBrushCreate(LossColor);
    LOGFONTA look = {};
    GetObjectA(WidgetFontForDpi(dpi), sizeof look, &look);
    look.lfEscapement = look.lfOrientation = 900; // labels read upwards under their bars
    const GdiObject<HFONT> font(CreateFontIndirectA(&look));
    ObjectSelection fontSelected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, LabelColor);
    const int labelHeight = std::abs(look.lfHeight ? look.lfHeight : scaled(11));
    for (size_t i = 0; i < bars.size(); ++i) {
        const int middle = Margin + int(i) * slot + slot / 2;
        const int height =
            largest > 0 ? int(std::lround(std::fabs(bars[i].value) / largest * scale)) : 0;
        const bool isLoss = bars[i].value < 0;
        RECT bar = {middle - barWidth / 2, isLoss ? zero + 1 : zero - height,
                    middle - barWidth / 2 + barWidth, isLoss ? zero + 1 + height : zero};
        FillRect(dc, &bar, isLoss ? loss.Get() : gain.Get());
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, middle - slot / 2, chartHeight - LabelStrip, middle + slot / 2,
                          chartHeight);
        TextOutA(dc, middle - labelHeight / 2, chartHeight - scaled(2), bars[i].ware.c_str(),
                 int(bars[i].ware.size()));
        RestoreDC(dc, saved);
    }
    const GdiObject<HPEN> pen = PenCreate(ZeroLineColor);
    ObjectSelection penSelected(dc, pen.Get());
    MoveToEx(dc, Margin / 2, zero, nullptr);
    LineTo(dc, chartWidth - Margin / 2, zero);
}

// A bitmap of the chart, owned by the caller; nullptr when none could be made.
HBITMAP ChartCreate(const std::vector<TradeStats::Row>& bars, int dpi) {
    const int width = ChartSize(ChartWidth, dpi), height = ChartSize(ChartHeight, dpi);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDc dc(nullptr);
    if (!bitmap || !dc.Get())
        return nullptr;
    {
        ObjectSelection selected(dc.Get(), bitmap.Get());
        RECT all = {0, 0, width, height};
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        BarsDraw(dc.Get(), bars, dpi);
    }
    return bitmap.Release();
}

std::string Amount(double value) {
    return FloatToText(value);
}

std::string Notes(const TradeStats& stats) {
    if (stats.rows == 0)
        return "The list is empty.";
    std::string note;
    if (stats.skipped)
        note = NumberToText(stats.skipped) + (stats.skipped == 1 ? " row" : " rows") +
               " left out of the figures and the chart: no finite numbers. ";
    if (stats.counted > ChartBarsMax)
        note += "The chart shows the first " + NumberToText(ChartBarsMax) + " of " +
                NumberToText(stats.counted) + " rows.";
    return note;
}

void SummaryCreate(const TradeStats& stats, int dpi) {
    const auto scaled = [dpi](int value) { return DpiScale(value, dpi); };
    const auto row = [](const TradeStats::Row& r) {
        return r.ware + " (" + Amount(r.value) + " %)";
    };
    const std::string none = "-";
    const std::pair<const char*, std::string> lines[StatsLineCount] = {
        {"Rows:", NumberToText(stats.rows)},
        {"Distinct wares:", NumberToText(stats.wares)},
        {"Cost of the units bought:", Amount(stats.cost)},
        {"Sell price:", Amount(stats.sell)},
        {"Yield [$]:", Amount(stats.yield)},
        {"Yield [%] on the cost of the units sold:",
         stats.hasPercent ? Amount(stats.yieldPercent) : none},
        {"Best row by yield [%]:", stats.hasBest ? row(stats.best) : none},
        {"Worst row by yield [%]:", stats.hasBest ? row(stats.worst) : none},
    };
    int y = 12;
    for (int i = 0; i < StatsLineCount; ++i, y += 24) {
        TextWidgetCreate(StatsFirstLine + 2 * i, scaled(10), scaled(y + 3), scaled(220), scaled(14),
                         lines[i].first);
        StringWidgetCreate(StatsFirstLine + 2 * i + 1, scaled(236), scaled(y), scaled(374),
                           scaled(20), lines[i].second.c_str(), ES_READONLY);
    }
    TextWidgetCreate(StatsNote, scaled(10), scaled(y + 4), scaled(600), scaled(14),
                     Notes(stats).c_str());
}

} // namespace

void TradeTableCopy(TradeTable& table, TradeFields& fields) {
    ClipboardTextSet(WindowNativeHandle(MainWindow), TradeTableText(table, fields));
}

void StatsWindowRun(TradeTable& table, TradeFields& fields) {
    HWND main = WindowNativeHandle(MainWindow);
    HWND focus = GetFocus(); // given back when the window closes, as a dialog does
    const int dpi = WindowDpi(main);
    const auto scaled = [dpi](int value) { return DpiScale(value, dpi); };
    HWND window = reinterpret_cast<HWND>(
        WindowOpen(StatsWindow, 0, 0, scaled(ClientWidth), scaled(ClientHeight), "Statistics",
                   WS_CAPTION | WS_SYSMENU | WindowCenteredOnParent, main));
    if (!window)
        return;
    const TradeStats stats = TradeStatsCompute(table);
    const GdiObject<HBITMAP> chart(stats.bars.empty() ? nullptr : ChartCreate(stats.bars, dpi));
    if (WidgetListBegin(window)) {
        SummaryCreate(stats, dpi);
        if (chart)
            ImageWidgetCreate(StatsChart, scaled(10), scaled(230), scaled(ChartWidth),
                              scaled(ChartHeight), chart.Get(), WS_EX_CLIENTEDGE);
        ButtonWidgetCreate(StatsCopyButton, scaled(190), scaled(440), scaled(110), scaled(22),
                           "Copy table");
        ButtonWidgetCreate(StatsOkButton, scaled(320), scaled(440), scaled(110), scaled(22), "OK");
    }
    // Modal: the calculator takes no input until this window is gone.
    if (main)
        EnableWindow(main, FALSE);
    WindowActivate(StatsWindow);
    SetFocus(GetDlgItem(window, StatsOkButton));

    for (bool done = false; !done;) {
        const Route<Do>* route = RouteFind(StatsRoutes, EventNext());
        if (route && route->command == Do::Copy)
            TradeTableCopy(table, fields);
        done = route && route->command == Do::Close;
    }
    // Enabled again before this window goes, so that the system activates it next.
    if (main)
        EnableWindow(main, TRUE);
    WindowClose(StatsWindow);
    WindowActivate(MainWindow);
    if (focus && IsWindow(focus))
        SetFocus(focus);
}
