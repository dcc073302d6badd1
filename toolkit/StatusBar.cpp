#include "toolkit/StatusBar.h"

#include "runtime/Registry.h"
#include "toolkit/Properties.h"
#include "toolkit/WindowChain.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace {

struct StatusBarRecord {
    HWND Handle; // the control; destroyed with its parent or by StatusBarFree
    int Width;   // the parent's client size when the bar was last fitted
    int Height;
};

ObjectTable* statusBarTable = nullptr;

// The bar being built, by number (a bar freed meanwhile then no longer looks up), and its
// right edges.
int buildingNumber = -1;
std::vector<int> buildingEdges;

StatusBarRecord* StatusBarFind(int number) {
    return statusBarTable ? static_cast<StatusBarRecord*>(ObjectLookup(statusBarTable, number))
                          : nullptr;
}

int ParentBarNumber(HWND parent) {
    return static_cast<int>(reinterpret_cast<intptr_t>(GetPropA(parent, StatusBarNumberProperty)));
}

void ParentBarNumberSet(HWND parent, int number) {
    SetPropA(parent, StatusBarNumberProperty,
             reinterpret_cast<HANDLE>(static_cast<intptr_t>(number)));
}

void StatusBarOnParentSize(int number) {
    StatusBarRecord* bar = number == -1 ? nullptr : StatusBarFind(number);
    if (!bar)
        return;
    RECT client = {};
    GetClientRect(GetParent(bar->Handle), &client);
    if (client.right == bar->Width && client.bottom == bar->Height)
        return;
    SendMessageA(bar->Handle, WM_SIZE, 0, 0); // the bar places itself along the bottom
    InvalidateRect(bar->Handle, nullptr, FALSE);
    bar->Width = client.right;
    bar->Height = client.bottom;
}

void StatusBarOnParentDestroy(HWND parent, int number) {
    if (number != -1 && StatusBarFind(number))
        ObjectRelease(statusBarTable, number); // the control goes with its parent
    RemovePropA(parent, StatusBarNumberProperty);
}

LRESULT CALLBACK StatusBarParentProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: StatusBarOnParentSize(ParentBarNumber(window)); break;
    case WM_NCDESTROY: StatusBarOnParentDestroy(window, ParentBarNumber(window)); break;
    }
    return WindowChainNext(StatusBarParentProcedure, window, message, wParam, lParam);
}

} // namespace

void StatusBarsInit() {
    if (!statusBarTable)
        statusBarTable = ObjectTableCreate(sizeof(StatusBarRecord), 16, StatusBarFree);
}

intptr_t StatusBarCreate(int number, HWND parent) {
    if (!statusBarTable)
        return 0;
    int assigned = number;
    StatusBarRecord* bar =
        static_cast<StatusBarRecord*>(ObjectAcquire(statusBarTable, number, &assigned));
    if (!bar)
        return 0;
    HWND control = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "", parent, StatusBarControlId);
    if (!control) {
        if (number == AutoNumber)
            ObjectRelease(statusBarTable, assigned);
        return 0;
    }
    bar->Handle = control;
    bar->Width = bar->Height = 0;
    WindowChainAdd(parent, StatusBarParentProcedure);
    ParentBarNumberSet(parent, assigned);
    buildingNumber = assigned;
    buildingEdges.clear();
    RECT client = {};
    GetClientRect(parent, &client);
    SendMessageA(control, WM_SIZE, 0, MAKELPARAM(client.right, client.bottom));
    return number == AutoNumber ? assigned : reinterpret_cast<intptr_t>(control);
}

void StatusBarAddField(int width) {
    StatusBarRecord* bar = StatusBarFind(buildingNumber);
    if (!bar)
        return;
    buildingEdges.push_back(width + (buildingEdges.empty() ? 0 : buildingEdges.back()));
    SendMessageA(bar->Handle, SB_SETPARTS, buildingEdges.size(),
                 reinterpret_cast<LPARAM>(buildingEdges.data()));
}

void StatusBarFieldWidthSet(int number, int width) {
    StatusBarRecord* bar = StatusBarFind(number);
    if (!bar)
        return;
    int edges[256];
    const int count = static_cast<int>(SendMessageA(bar->Handle, SB_GETPARTS, 256, LPARAM(edges)));
    if (count < 1)
        return;
    const int moved = width - edges[0];
    for (int i = 0; i < count; ++i)
        if (edges[i] != -1)
            edges[i] += moved;
    SendMessageA(bar->Handle, SB_SETPARTS, WPARAM(count), LPARAM(edges));
    bar->Width = bar->Height = 0;
    StatusBarOnParentSize(number);
}

void StatusBarSetText(int number, int field, const char* text, int appearance) {
    StatusBarRecord* bar = StatusBarFind(number);
    // A larger index would spill into the control's type bits (owner-drawn and so on).
    if (!bar || field < 0 || field > 255)
        return;
    WPARAM type = static_cast<WPARAM>(field);
    if (appearance & StatusBarRaised)
        type |= SBT_POPOUT;
    else if (appearance & StatusBarNoBorder)
        type |= SBT_NOBORDERS;
    // The control centres what follows one tab and right-aligns what follows two.
    std::string shown = (appearance & StatusBarCentered)     ? "\t"
                        : (appearance & StatusBarRightAlign) ? "\t\t"
                                                             : "";
    shown += text ? text : "";
    SendMessageA(bar->Handle, SB_SETTEXTA, type, reinterpret_cast<LPARAM>(shown.c_str()));
    if (type & SBT_NOBORDERS) {
        // The old frame stays on screen unless the field is erased.
        RECT fieldRect = {};
        if (SendMessageA(bar->Handle, SB_GETRECT, static_cast<WPARAM>(field),
                         reinterpret_cast<LPARAM>(&fieldRect)))
            InvalidateRect(bar->Handle, &fieldRect, TRUE);
    }
}

void StatusBarSetTextPlain(int number, int field, const char* text) {
    StatusBarSetText(number, field, text, 0);
}

void StatusBarFree(int number) {
    StatusBarRecord* bar = StatusBarFind(number);
    if (!bar)
        return;
    HWND parent = GetParent(bar->Handle);
    // Another bar may have taken the parent over since; it keeps being fitted then.
    if (parent && ParentBarNumber(parent) == number)
        ParentBarNumberSet(parent, -1);
    DestroyWindow(bar->Handle);
    ObjectRelease(statusBarTable, number);
}
