// The event queue: every event the window procedure recorded while messages were dispatched,
// in the order it recorded them, and the current event the loop reads.
#include "toolkit/EventQueue.h"

#include "runtime/Memory.h"
#include "runtime/Registry.h"

namespace {

struct EventRecord {
    int Kind;
    int Window; // -1: a plain message, or a window still being made
    int Object; // widget or menu item number; other events keep the one before
    int Subtype;
};

struct EventQueueNode {
    EventQueueNode* Next;
    EventRecord Event;
};

struct EventState {
    EventRecord Current;
    EventQueueNode* QueueHead; // oldest; nodes owned by the queue (main heap)
    EventQueueNode* QueueTail;
};

EventState* events = nullptr;

bool Collapses(int kind) {
    return kind == EventMoveWindow || kind == EventSizeWindow || kind == EventRepaint ||
           kind == EventActivateWindow;
}

void NodeRemoveFirst() {
    EventQueueNode* node = events->QueueHead;
    events->QueueHead = node->Next;
    if (!events->QueueHead)
        events->QueueTail = nullptr;
    MemoryFree(Heap::Main, node);
}

} // namespace

void EventQueueInit() {
    if (events)
        return;
    events = static_cast<EventState*>(LibraryStateCreate(sizeof(EventState)));
    if (events)
        events->Current = {EventNone, -1, 0, -1};
}

void EventQueuePush(int kind, int window, int object, int subtype) {
    if (!events)
        return;
    EventQueueNode* tail = events->QueueTail;
    if (tail && Collapses(kind) && tail->Event.Kind == kind && tail->Event.Window == window)
        return; // a burst of moves, sizes or erases costs the loop one turn
    EventQueueNode* node =
        static_cast<EventQueueNode*>(MemoryAllocate(Heap::Main, sizeof(EventQueueNode)));
    if (!node)
        return;
    node->Event = {kind, window, object, subtype};
    if (tail)
        tail->Next = node;
    else
        events->QueueHead = node;
    events->QueueTail = node;
}

int EventQueueTake(bool (*live)(int window)) {
    while (events && events->QueueHead) {
        const EventRecord event = events->QueueHead->Event;
        NodeRemoveFirst();
        if (event.Window == -1 || live(event.Window)) {
            const bool numbered = event.Kind == EventKindWidget || event.Kind == EventKindMenu;
            events->Current = {event.Kind, event.Window,
                               numbered ? event.Object : events->Current.Object, event.Subtype};
            return event.Kind;
        }
    }
    return EventNone;
}

void EventCurrentSetMessage(int message) {
    if (events)
        events->Current = {message, -1, events->Current.Object, -1};
}

const void* EventQueueMark() {
    return events ? events->QueueTail : nullptr;
}

void EventQueueDropAfter(const void* mark) {
    if (!events)
        return;
    EventQueueNode* last = static_cast<EventQueueNode*>(const_cast<void*>(mark));
    EventQueueNode*& first = last ? last->Next : events->QueueHead;
    while (first) {
        EventQueueNode* node = first;
        first = node->Next;
        MemoryFree(Heap::Main, node);
    }
    events->QueueTail = last;
}

int EventWidgetId() {
    return events ? events->Current.Object : 0;
}

int EventMenuId() {
    return EventWidgetId();
}

int EventSubtype() {
    return events ? events->Current.Subtype : -1;
}

int EventWindowId() {
    return events ? events->Current.Window : -1;
}
