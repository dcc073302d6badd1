// The event stream: one native message per call, plus the events the window procedure
// queued while earlier messages were dispatched.
#include "toolkit/Window.h"

#include "runtime/Memory.h"
#include "runtime/Registry.h"

namespace {

struct EventQueueNode {
    EventQueueNode* Next;
    int Kind;
    int Window;
};

struct EventState {
    int ObjectNumber;
    int Subtype;               // -1: the current event has none
    int PendingKind;           // set by the window procedure during a dispatch; 0 = none
    EventQueueNode* QueueHead; // oldest; nodes owned by the queue (main heap)
    EventQueueNode* QueueTail;
};

EventState* events = nullptr;

// Messages that wake a timed wait: input, posted, timer, paint, hot-key and sent messages.
const DWORD WakeMask = QS_KEY | QS_MOUSE | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE |
                       QS_HOTKEY | QS_ALLPOSTMESSAGE;

bool MessageTake(MSG& message, int milliseconds) {
    if (milliseconds == -1)
        return GetMessageA(&message, nullptr, 0, 0) != -1; // blocks in the system, no polling
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD))
        return true;
    if (milliseconds == 0)
        return false;
    if (MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(milliseconds), WakeMask) ==
        WAIT_TIMEOUT)
        return false;
    return PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD) != 0;
}

} // namespace

void EventQueueInit() {
    if (!events)
        events = static_cast<EventState*>(LibraryStateCreate(sizeof(EventState)));
}

int EventWaitTimeout(int milliseconds) {
    if (!events)
        return EventNone;
    events->Subtype = -1;
    if (EventQueueNode* node = events->QueueHead) {
        const int kind = node->Kind;
        events->QueueHead = node->Next;
        if (!events->QueueHead)
            events->QueueTail = nullptr;
        events->PendingKind = 0;
        MemoryFree(Heap::Main, node);
        return kind;
    }
    MSG message;
    if (!MessageTake(message, milliseconds))
        return EventNone;
    HWND active = GetActiveWindow();
    HACCEL accelerators = ActiveAccelerators(active);
    if (!accelerators || !TranslateAcceleratorA(active, accelerators, &message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (const int kind = events->PendingKind) {
        events->PendingKind = 0;
        return kind;
    }
    return static_cast<int>(message.message);
}

int EventWait() {
    return EventWaitTimeout(-1);
}

int EventWidgetId() {
    return events ? events->ObjectNumber : 0;
}

int EventMenuId() {
    return EventWidgetId();
}

int EventSubtype() {
    return events ? events->Subtype : -1;
}

void MessagesFlush() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (events)
        events->PendingKind = 0;
}

void EventQueuePush(int kind, int window) {
    if (!events)
        return;
    EventQueueNode* tail = events->QueueTail;
    if (tail && tail->Kind == kind && tail->Window == window)
        return; // a burst of moves, sizes or erases costs the loop one turn
    EventQueueNode* node =
        static_cast<EventQueueNode*>(MemoryAllocate(Heap::Main, sizeof(EventQueueNode)));
    if (!node)
        return;
    node->Kind = kind;
    node->Window = window;
    if (tail)
        tail->Next = node;
    else
        events->QueueHead = node;
    events->QueueTail = node;
}

void EventPendingSet(int kind, int objectNumber, int subtype) {
    if (!events)
        return;
    events->PendingKind = kind;
    events->ObjectNumber = objectNumber;
    events->Subtype = subtype;
}
