// Back-colour brushes shared by colour and counted, and the colour slots of the string and
// text kinds that use them.
#include "toolkit/WidgetFramework.h"

#include "runtime/Memory.h"
#include "toolkit/Gdi.h"

namespace {

struct BrushEntry {
    BrushEntry* Next; // older entry
    int Color;
    HBRUSH Brush; // owned: deleted with the last release
    int Count;
};

CRITICAL_SECTION brushLock; // initialised once, never deleted
bool brushLockReady = false;
BrushEntry* brushes = nullptr; // newest first

class BrushLockHold {
  public:
    BrushLockHold() { EnterCriticalSection(&brushLock); }
    ~BrushLockHold() { LeaveCriticalSection(&brushLock); }
    BrushLockHold(const BrushLockHold&) = delete;
    BrushLockHold& operator=(const BrushLockHold&) = delete;
};

void ControlRedraw(HWND control) {
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE);
}

} // namespace

void BrushCacheInit() {
    if (brushLockReady)
        return;
    InitializeCriticalSection(&brushLock);
    brushLockReady = true;
}

HBRUSH BrushAcquire(int color) {
    if (!brushLockReady)
        return nullptr;
    BrushLockHold hold;
    for (BrushEntry* entry = brushes; entry; entry = entry->Next) {
        if (entry->Color == color) {
            ++entry->Count;
            return entry->Brush;
        }
    }
    BrushEntry* entry = static_cast<BrushEntry*>(MemoryAllocate(Heap::Node, sizeof(BrushEntry)));
    if (!entry)
        return nullptr;
    entry->Brush = SolidBrushCreate(static_cast<COLORREF>(color)).Release();
    if (!entry->Brush) {
        MemoryFree(Heap::Node, entry);
        return nullptr;
    }
    entry->Color = color;
    entry->Count = 1;
    entry->Next = brushes;
    brushes = entry;
    return entry->Brush;
}

void BrushRelease(HBRUSH brush) {
    if (!brushLockReady || !brush)
        return;
    BrushLockHold hold;
    for (BrushEntry** link = &brushes; *link; link = &(*link)->Next) {
        BrushEntry* entry = *link;
        if (entry->Brush != brush)
            continue;
        if (--entry->Count == 0) {
            DeleteObject(entry->Brush);
            *link = entry->Next;
            MemoryFree(Heap::Node, entry);
        }
        return;
    }
}

int BrushCacheCount(int color) {
    if (!brushLockReady)
        return 0;
    BrushLockHold hold;
    for (BrushEntry* entry = brushes; entry; entry = entry->Next)
        if (entry->Color == color)
            return entry->Count;
    return 0;
}

void StandardSetColor(WidgetRecord* widget, int which, int color) {
    if (which == WidgetColorFront) {
        widget->FrontColor = color;
    } else if (which == WidgetColorBack) {
        if (widget->BackBrush)
            BrushRelease(widget->BackBrush);
        widget->BackBrush = color == -1 ? nullptr : BrushAcquire(color);
        widget->BackColor = color;
    }
    ControlRedraw(widget->Handle);
}

int StandardGetColor(WidgetRecord* widget, int which) {
    if (which == WidgetColorFront)
        return widget->FrontColor;
    if (which == WidgetColorBack)
        return widget->BackColor;
    return -1;
}

void StandardOnDestroy(WidgetRecord* widget) {
    if (widget->BackBrush)
        BrushRelease(widget->BackBrush);
    widget->BackBrush = nullptr;
}
