// The event queue: events the window procedure queued while earlier messages were dispatched,
// the event the current dispatch set, and the number and subtype of the last event.
#include "toolkit/EventQueue.h"

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

} // namespace

void EventQueueInit() {
    if (!events)
        events = static_cast<EventState*>(LibraryStateCreate(sizeof(EventState)));
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

int EventQueuePop() {
    if (!events || !events->QueueHead)
        return EventNone;
    EventQueueNode* node = events->QueueHead;
    const int kind = node->Kind;
    events->QueueHead = node->Next;
    if (!events->QueueHead)
        events->QueueTail = nullptr;
    events->PendingKind = 0;
    MemoryFree(Heap::Main, node);
    return kind;
}

void EventPendingSet(int kind, int objectNumber, int subtype) {
    if (!events)
        return;
    events->PendingKind = kind;
    events->ObjectNumber = objectNumber;
    events->Subtype = subtype;
}

int EventPendingTake() {
    if (!events)
        return EventNone;
    const int kind = events->PendingKind;
    events->PendingKind = 0;
    return kind;
}

void EventSubtypeClear() {
    if (events)
        events->Subtype = -1;
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
