// The calculator's main window made with the Windows API alone: the same window, menus,
// controls (classes, sizes, styles and fonts, the list's nine columns), header bitmap and
// status bar as the program's layout table, and a message loop. The start-up benchmark
// starts it as the floor of this layout on this system.
#include <windows.h>

#include <commctrl.h>

namespace {

enum Kind { Frame, Group, String, Option, Button, Text, List, Image };

struct Row {
    Kind kind;
    int x, y, width, height;
    const char* text;
    DWORD style, extended;
    COLORREF back; // CLR_NONE: the control's own
};

constexpr DWORD ReadOnly = ES_READONLY, Sunken = WS_EX_CLIENTEDGE, Centered = SS_CENTER;
constexpr COLORREF None = CLR_NONE, Result = RGB(235, 235, 255), Buy = RGB(255, 244, 244),
                   Sell = RGB(244, 255, 244), Yield = RGB(225, 255, 225);

// In creation order, as the program's layout creates them.
const Row Rows[] = {
    {Group, 11, 57, 180, 86, "Insert Buydatas:", 0, 0, None},
    {Group, 11, 145, 180, 69, "Insert Selldatas:", 0, 0, None},
    {Group, 11, 216, 180, 121, "Results:", 0, 0, None},
    {String, 21, 84, 160, 20, "Ware", 0, Sunken, None},
    {String, 21, 118, 70, 20, "0", 0, Sunken, None},
    {String, 111, 118, 70, 20, "0", 0, Sunken, None},
    {String, 21, 178, 70, 20, "0", 0, Sunken, None},
    {Option, 109, 170, 40, 19, "1 2 3", WS_GROUP, 0, None},
    {Option, 158, 170, 30, 19, "%", 0, 0, None},
    {String, 111, 189, 70, 20, "0", 0, Sunken, None},
    {String, 21, 244, 70, 20, "0", ReadOnly, Sunken, Result},
    {String, 111, 244, 70, 20, "0", ReadOnly, Sunken, Result},
    {String, 21, 278, 70, 20, "0", ReadOnly, Sunken, Result},
    {String, 111, 278, 70, 20, "0", ReadOnly, Sunken, Result},
    {String, 21, 312, 70, 20, "0", ReadOnly, Sunken, Result},
    {Button, 16, 339, 105, 20, "COMPUTE", 0, 0, None},
    {Button, 198, 118, 21, 170, "->", 0, 0, None},
    {Button, 126, 339, 55, 20, "CLEAR", 0, 0, None},
    {Button, 116, 310, 58, 20, "Stats", 0, 0, None},
    {Text, 21, 104, 40, 12, "Number:", 0, 0, None},
    {Text, 111, 104, 30, 12, "Cost:", 0, 0, None},
    {Text, 21, 164, 40, 12, "Number:", 0, 0, None},
    {Text, 111, 157, 30, 12, "Yield:", 0, 0, None},
    {Text, 21, 230, 44, 12, "Unitprice:", 0, 0, None},
    {Text, 111, 230, 42, 12, "Sellprice:", 0, 0, None},
    {Text, 21, 264, 61, 13, "Unityield  ($):", 0, 0, None},
    {Text, 111, 264, 44, 13, "Yield  ($):", 0, 0, None},
    {Text, 21, 298, 46, 13, "Yield  (%):", 0, 0, None},
    {Text, 21, 70, 40, 12, "Product:", 0, 0, None},
    {List, 225, 63, 784, 275, "", 0, Sunken, None},
    {Image, 6, 3, 520, 45, "", 0, Sunken, None},
    {Frame, 8, 56, 186, 306, "", WS_BORDER, 0, None},
    {Frame, 222, 56, 789, 306, "", 0, WS_EX_STATICEDGE, None},
    {Frame, 3, 51, 1012, 315, "", 0, Sunken, None},
    {Text, 970, 10, 41, 17, "v.1.0b", Centered, Sunken, None},
    {Text, 752, 30, 260, 17, "Made for traders who count every unit", Centered, Sunken, None},
    {Text, 304, 340, 50, 17, "Total:", Centered, Sunken, None},
    {Button, 752, 8, 210, 20, "DONATE", 0, 0, None},
    {String, 356, 338, 56, 20, "0", ReadOnly, Sunken, Buy},
    {String, 412, 338, 90, 20, "0", ReadOnly, Sunken, Buy},
    {String, 502, 338, 90, 20, "0", ReadOnly, Sunken, Sell},
    {String, 592, 338, 90, 20, "0", ReadOnly, Sunken, Sell},
    {String, 828, 338, 90, 20, "0", ReadOnly, Sunken, Yield},
    {String, 918, 338, 91, 20, "0", ReadOnly, Sunken, Yield},
    {String, 682, 338, 56, 20, "0", ReadOnly, Sunken, Sell},
    {String, 738, 338, 90, 20, "0", ReadOnly, Sunken, Sell},
};
constexpr int RowCount = int(sizeof Rows / sizeof Rows[0]);

const struct {
    const char* title;
    int width;
} Columns[] = {{"Ware", 128},     {"Buyunits", 56},      {"Buyprice", 90},
               {"Unitprice", 90}, {"Unityield [$]", 90}, {"Sellunits", 56},
               {"Sellprice", 90}, {"Yield [$]", 90},     {"Yield [%]", 90}};

HBRUSH brushes[RowCount]; // the coloured fields' backgrounds, made with the window

HMENU MenusCreate() {
    HMENU bar = CreateMenu(), file = CreatePopupMenu(), help = CreatePopupMenu();
    HMENU recent = CreatePopupMenu();
    AppendMenuA(recent, MF_STRING | MF_GRAYED, 100, "(none)");
    const struct {
        int id; // 0: a separator
        const char* text;
    } items[] = {{1, "Clear entry"},
                 {2, "Open entry"},
                 {3, "Save entry"},
                 {0, nullptr},
                 {4, "Clear list"},
                 {5, "Open list"},
                 {6, "Save list"},
                 {11, "Export list as CSV..."},
                 {12, "Import list from CSV..."},
                 {0, nullptr}};
    for (const auto& item : items)
        AppendMenuA(file, item.id ? MF_STRING : MF_SEPARATOR, UINT_PTR(item.id), item.text);
    AppendMenuA(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), "Recent lists");
    AppendMenuA(file, MF_STRING, 10, "Reopen last session");
    AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(file, MF_STRING, 7, "Quit");
    AppendMenuA(help, MF_STRING, 8, "Help");
    AppendMenuA(help, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(help, MF_STRING, 9, "Donate");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "File");
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(help), "?");
    HMENU row = CreatePopupMenu();
    AppendMenuA(row, MF_STRING, 20, "Delete");
    return bar;
}

HWND ControlCreate(HWND window, const Row& row, int id, HFONT font, HANDLE header) {
    const DWORD child = WS_CHILD | WS_VISIBLE;
    const char* className = "Static";
    DWORD style = child | row.style;
    switch (row.kind) {
    case Group: className = "Button", style |= BS_GROUPBOX; break;
    case Frame: style |= WS_CLIPSIBLINGS | SS_CENTER; break;
    case String: className = "Edit", style |= WS_GROUP | WS_TABSTOP | ES_AUTOHSCROLL; break;
    case Option: className = "Button", style |= WS_TABSTOP | BS_AUTORADIOBUTTON; break;
    case Button: className = "Button", style |= WS_TABSTOP | BS_PUSHBUTTON; break;
    case Text: break;
    case List:
        className = WC_LISTVIEWA;
        style |= WS_TABSTOP | LVS_REPORT | LVS_SHAREIMAGELISTS | LVS_OWNERDATA | LVS_SINGLESEL;
        break;
    case Image: style |= SS_BITMAP | SS_NOTIFY; break;
    }
    HWND control = CreateWindowExA(
        row.extended, className, row.text, style, row.x, row.y, row.width, row.height, window,
        reinterpret_cast<HMENU>(INT_PTR(id)), GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, WPARAM(font), FALSE);
    if (row.kind == Image && header)
        SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP, LPARAM(header));
    if (row.kind == List) {
        SendMessageA(control, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                     LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
        for (int c = 0; c < int(sizeof Columns / sizeof Columns[0]); ++c) {
            LVCOLUMNA column = {};
            column.mask = LVCF_TEXT | LVCF_WIDTH;
            column.pszText = const_cast<char*>(Columns[c].title);
            column.cx = Columns[c].width;
            SendMessageA(control, LVM_INSERTCOLUMNA, WPARAM(c), LPARAM(&column));
        }
    }
    if (row.back != None)
        brushes[id] = CreateSolidBrush(row.back);
    return control;
}

LRESULT CALLBACK LayoutProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        if (id >= 0 && id < RowCount && brushes[id]) {
            SetBkColor(reinterpret_cast<HDC>(wParam), Rows[id].back);
            return reinterpret_cast<LRESULT>(brushes[id]);
        }
        break;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = LayoutProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "KestravaLayout";
    RegisterClassA(&windowClass);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    // Sized for the client area without the menu bar, which then takes its height from it.
    RECT frame = {0, 0, 1018, 413};
    AdjustWindowRect(&frame, style, FALSE);
    // Built hidden and shown whole, as the program does.
    HWND window =
        CreateWindowExA(0, "KestravaLayout", "layout", style, 0, 0, frame.right - frame.left,
                        frame.bottom - frame.top, nullptr, MenusCreate(), instance, nullptr);
    HANDLE header = LoadImageA(nullptr, "data\\header.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int id = 0; id < RowCount; ++id)
        ControlCreate(window, Rows[id], id, font, header);
    CheckRadioButton(window, 7, 8, 7);
    HWND status =
        CreateWindowExA(0, STATUSCLASSNAMEA, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, window,
                        reinterpret_cast<HMENU>(INT_PTR(1000)), instance, nullptr);
    int fields[] = {1024};
    SendMessageA(status, SB_SETPARTS, 1, LPARAM(fields));
    SendMessageA(status, SB_SETTEXTA, 0, LPARAM("\tInformation-Bar"));
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
