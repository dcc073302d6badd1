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

// At 96 dpi: the summary, the per-ware table, the chart under its title, the buttons.
constexpr int ClientWidth = 640, ClientHeight = 694;
constexpr int WareListTop = 228, WareListHeight = 150;
constexpr int ChartTop = 402, ChartWidth = 616, ChartHeight = 250;
constexpr int ButtonsTop = 662;
const int WareColumnWidths[WareColumnCount] = {96, 40, 78, 68, 80, 80, 80, 72};
constexpr COLORREF GainColor = RGB(46, 139, 87), LossColor = RGB(200, 40, 40);
constexpr COLORREF ZeroLineColor = RGB(90, 90, 90), LabelColor = RGB(40, 40, 40);

enum class Do { Nothing, Close, Copy, Sort };

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
    {Stats, Widget, StatsWareList, AnyColumnClick, Do::Sort, nullptr},
    {Stats, Widget, StatsOkButton, AnySubtype, Do::Close, nullptr},
};

// Numbers with `decimals` decimals and the user's own separators, as the rest of Windows
// shows amounts of money.
class NumberFormat {
  public:
    explicit NumberFormat(int decimals) {
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal_, sizeof decimal_);
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousand_, sizeof thousand_);
        // "3;0" groups by three throughout, "3;2;0" three then two, "3" only once.
        char grouping[16] = "3;0";
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SGROUPING, grouping, sizeof grouping);
        UINT groups = 0;
        for (const char* c = grouping; *c; ++c)
            if (*c >= '0' && *c <= '9')
                groups = groups * 10 + UINT(*c - '0');
        const std::string g = grouping;
        format_.Grouping =
            g.size() >= 2 && g.compare(g.size() - 2, 2, ";0") == 0 ? groups / 10 : groups * 10;
        DWORD number = 0;
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_INEGNUMBER | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPSTR>(&number), sizeof number);
        format_.NegativeOrder = number;
        number = 1;
        GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ILZERO | LOCALE_RETURN_NUMBER,
                       reinterpret_cast<LPSTR>(&number), sizeof number);
        format_.LeadingZero = number;
        format_.NumDigits = UINT(decimals);
        format_.lpDecimalSep = decimal_;
        format_.lpThousandSep = thousand_;
        decimals_ = decimals;
    }
    std::string Text(double value) const {
        std::string plain = FloatToText(value, decimals_);
        if (plain.find_first_not_of("-0.") == std::string::npos)
            plain = FloatToText(0.0, decimals_); // no "-0.00"
        char text[128];
        const int length =
            GetNumberFormatA(LOCALE_USER_DEFAULT, 0, plain.c_str(), &format_, text, sizeof text);
        return length > 0 ? std::string(text, size_t(length - 1)) : plain; // "inf" stays as is
    }

  private:
    char decimal_[8] = ".", thousand_[8] = ",";
    NUMBERFMTA format_ = {};
    int decimals_;
};

const NumberFormat& Money() {
    static const NumberFormat format(2);
    return format;
}

std::string Amount(double value) {
    return Money().Text(value);
}

// Units are whole numbers unless typed otherwise.
std::string Units(double value) {
    static const NumberFormat whole(0);
    return value == std::floor(value) ? whole.Text(value) : Amount(value);
}

// The chart's side at `dpi`: its widget, whose edge keeps its width, scales as a whole.
int ChartSize(int side, int dpi) {
    return DpiScale(side + 4, dpi) - 4;
}

// Sizes at 96 dpi; the chart is drawn at the screen's scale. Each bar has its value at its
// end and its ware under the plot, both reading upwards.
void BarsDraw(HDC dc, const std::vector<TradeStats::Row>& bars, int dpi) {
    const auto scaled = [dpi](int value) { return DpiScale(value, dpi); };
    const int Top = scaled(4), LabelStrip = scaled(56), Margin = scaled(10), Gap = scaled(3);
    const int chartWidth = ChartSize(ChartWidth, dpi), chartHeight = ChartSize(ChartHeight, dpi);
    const int plotBottom = chartHeight - LabelStrip - scaled(4);

    LOGFONTA look = {};
    GetObjectA(WidgetFontForDpi(dpi), sizeof look, &look);
    look.lfEscapement = look.lfOrientation = 900;
    const GdiObject<HFONT> font(CreateFontIndirectA(&look));
    ObjectSelection fontSelected(dc, font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, LabelColor);
    const int labelHeight = std::abs(look.lfHeight ? look.lfHeight : scaled(11));

    std::vector<std::string> values;
    int valueRoom = 0; // beyond the longest bar, for its value
    double gains = 0, losses = 0;
    for (const TradeStats::Row& bar : bars) {
        values.push_back(Amount(bar.value));
        SIZE size = {};
        GetTextExtentPoint32A(dc, values.back().c_str(), int(values.back().size()), &size);
        valueRoom = std::max(valueRoom, int(size.cx) + 2 * Gap);
        gains = std::max(gains, bar.value);
        losses = std::max(losses, -bar.value);
    }
    // Gains rise from the zero line, losses hang below it, both on one scale; the line sits
    // where the largest gain and the largest loss each have their room.
    const int plotHeight = plotBottom - Top - (losses > 0 ? 2 : 1) * valueRoom;
    const double perUnit = gains + losses > 0 ? std::max(0, plotHeight) / (gains + losses) : 0;
    const int zero = Top + valueRoom + int(std::lround(gains * perUnit));
    const int slot = (chartWidth - 2 * Margin) / int(bars.size());
    const int barWidth = std::max(1, std::min(scaled(40), slot * 2 / 3));

    const GdiObject<HBRUSH> gain = SolidBrushCreate(GainColor), loss = SolidBrushCreate(LossColor);
    for (size_t i = 0; i < bars.size(); ++i) {
        const int middle = Margin + int(i) * slot + slot / 2;
        const int height = int(std::lround(std::fabs(bars[i].value) * perUnit));
        const bool isLoss = bars[i].value < 0;
        const int end = isLoss ? zero + 1 + height : zero - height;
        RECT bar = {middle - barWidth / 2, isLoss ? zero + 1 : end,
                    middle - barWidth / 2 + barWidth, isLoss ? end : zero};
        FillRect(dc, &bar, isLoss ? loss.Get() : gain.Get());
        const std::string& value = values[i];
        SIZE size = {};
        GetTextExtentPoint32A(dc, value.c_str(), int(value.size()), &size);
        TextOutA(dc, middle - labelHeight / 2, isLoss ? end + Gap + size.cx : end - Gap,
                 value.c_str(), int(value.size()));
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

std::string Notes(const TradeStats& stats) {
    if (stats.rows == 0)
        return "The list is empty.";
    if (!stats.skipped)
        return "";
    return NumberToText(stats.skipped) + (stats.skipped == 1 ? " row" : " rows") +
           " left out of the figures, the table and the chart: no finite numbers.";
}

std::string ChartTitle(const TradeStats& stats) {
    std::string title = "Yield [$] per ware, biggest first";
    if (int(stats.bars.size()) > ChartBarsMax)
        title += ": the " + NumberToText(ChartBarsMax) + " best, then the other " +
                 NumberToText(int(stats.byWare.size()) - ChartBarsMax) + " wares summed";
    return title;
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
        StringWidgetCreate(StatsFirstLine + 2 * i + 1, scaled(236), scaled(y), scaled(394),
                           scaled(20), lines[i].second.c_str(), ES_READONLY);
    }
    TextWidgetCreate(StatsNote, scaled(10), scaled(y + 4), scaled(620), scaled(14),
                     Notes(stats).c_str());
}

// What the open window shows; the per-ware lines in the order of the table.
struct StatsView {
    TradeStats stats;
    GdiObject<HBITMAP> chart;
    WareColumn sortColumn = WareYield;
    bool ascending = false;
};

// A cell of the per-ware table, made only when the table shows or gives it.
std::string WareCell(const WareStats& w, int column) {
    switch (column) {
    case WareName: return w.ware;
    case WareRows: return NumberToText(w.rows);
    case WareBought: return Units(w.bought);
    case WareSold: return Units(w.sold);
    case WareCost: return Amount(w.cost);
    case WareSell: return Amount(w.sell);
    case WareYield: return Amount(w.yield);
    case WareYieldPercent: return w.hasPercent ? Amount(w.yieldPercent) : "-";
    default: return "";
    }
}

// The table reads the lines as they stand, so it follows them when they are sorted.
void WareListFill(const std::vector<WareStats>& wares) {
    ListViewTextSourceSet(StatsWareList, int(wares.size()), [&wares](int row, int column) {
        return size_t(row) < wares.size() ? WareCell(wares[size_t(row)], column) : "";
    });
}

void WareListCreate(const StatsView& view, int dpi) {
    const auto scaled = [dpi](int value) { return DpiScale(value, dpi); };
    ListViewWidgetCreate(StatsWareList, scaled(10), scaled(WareListTop), scaled(ChartWidth + 4),
                         scaled(WareListHeight), WareColumnTitles[0], scaled(WareColumnWidths[0]),
                         ListViewGridLines | ListViewWholeRowSelection);
    // Left-aligned like the calculator's list: under Wine a right-aligned cell loses the end
    // of its longer numbers.
    for (int column = 1; column < WareColumnCount; ++column)
        WidgetAddColumn(StatsWareList, column, WareColumnTitles[column],
                        scaled(WareColumnWidths[column]));
    WareListFill(view.stats.byWare);
    ListViewSortArrowSet(StatsWareList, view.sortColumn, view.ascending ? 1 : -1);
}

// A click on the header of the sorted column turns the order round; on another, ascending.
void WareListSort(StatsView& view, int column) {
    if (column < 0 || column >= WareColumnCount)
        return;
    view.ascending = column == view.sortColumn ? !view.ascending : true;
    view.sortColumn = WareColumn(column);
    WareStatsSort(view.stats.byWare, view.sortColumn, view.ascending);
    WareListFill(view.stats.byWare);
    ListViewSortArrowSet(StatsWareList, column, view.ascending ? 1 : -1);
}

// The window of `table`'s statistics with every widget; false when it could not be opened.
bool StatsWindowBuild(TradeTable& table, StatsView& view) {
    HWND main = WindowNativeHandle(MainWindow);
    const int dpi = WindowDpi(main);
    const auto scaled = [dpi](int value) { return DpiScale(value, dpi); };
    HWND window = reinterpret_cast<HWND>(
        WindowOpen(StatsWindow, 0, 0, scaled(ClientWidth), scaled(ClientHeight), "Statistics",
                   WS_CAPTION | WS_SYSMENU | WindowCenteredOnParent, main));
    if (!window)
        return false;
    view.stats = TradeStatsCompute(table);
    if (!view.stats.bars.empty())
        view.chart = GdiObject<HBITMAP>(ChartCreate(view.stats.bars, dpi));
    if (WidgetListBegin(window)) {
        SummaryCreate(view.stats, dpi);
        WareListCreate(view, dpi);
        if (view.chart) {
            TextWidgetCreate(StatsChartTitle, scaled(10), scaled(ChartTop - 16), scaled(620),
                             scaled(14), ChartTitle(view.stats).c_str());
            ImageWidgetCreate(StatsChart, scaled(10), scaled(ChartTop), scaled(ChartWidth),
                              scaled(ChartHeight), view.chart.Get(), WS_EX_CLIENTEDGE);
        }
        ButtonWidgetCreate(StatsCopyButton, scaled(200), scaled(ButtonsTop), scaled(110),
                           scaled(22), "Copy table");
        ButtonWidgetCreate(StatsOkButton, scaled(330), scaled(ButtonsTop), scaled(110), scaled(22),
                           "OK");
    }
    return true;
}

} // namespace

void TradeTableCopy(TradeTable& table, TradeFields& fields) {
    ClipboardTextSet(WindowNativeHandle(MainWindow), TradeTableText(table, fields));
}

void StatsWindowOpenAndClose(TradeTable& table, const std::function<void()>& whileOpen) {
    StatsView view;
    if (!StatsWindowBuild(table, view))
        return;
    RedrawWindow(WindowNativeHandle(StatsWindow), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    whileOpen();
    WindowClose(StatsWindow);
}

void StatsWindowRun(TradeTable& table, TradeFields& fields) {
    HWND main = WindowNativeHandle(MainWindow);
    HWND focus = GetFocus(); // given back when the window closes, as a dialog does
    StatsView view;
    if (!StatsWindowBuild(table, view))
        return;
    HWND window = WindowNativeHandle(StatsWindow);
    // Modal: the calculator takes no input until this window is gone.
    if (main)
        EnableWindow(main, FALSE);
    WindowActivate(StatsWindow);
    SetFocus(GetDlgItem(window, StatsOkButton));

    for (bool done = false; !done;) {
        const Event event = EventNext();
        const Route<Do>* route = RouteFind(StatsRoutes, event);
        const Do command = route ? route->command : Do::Nothing;
        // The per-ware table follows the list's, after a blank line, in the order shown.
        if (command == Do::Copy)
            ClipboardTextSet(main, TradeTableText(table, fields) + "\r\n" +
                                       WareTableText(view.stats.byWare));
        if (command == Do::Sort)
            WareListSort(view, event.subtype & 0xFFFF);
        done = command == Do::Close;
    }
    // Enabled again before this window goes, so that the system activates it next.
    if (main)
        EnableWindow(main, TRUE);
    WindowClose(StatsWindow);
    WindowActivate(MainWindow);
    if (focus && IsWindow(focus))
        SetFocus(focus);
}
