// The event queue below Window.cpp: events the window procedure queued or set while a message
// was dispatched, and the number and subtype of the last event. A leaf: it calls nothing of
// the toolkit.
#pragma once

#include "toolkit/Events.h"

void EventQueueInit();
// Queues an event for `window`; a repeat of the newest queued kind and window is dropped.
void EventQueuePush(int kind, int window);
// Takes the oldest queued event; EventNone when none is queued. Clears the pending event.
int EventQueuePop();
// Sets the event the current dispatch reports (the latest one set wins).
void EventPendingSet(int kind, int objectNumber, int subtype);
// Takes the event the dispatch set; EventNone when it set none.
int EventPendingTake();
// A new event starts without a subtype.
void EventSubtypeClear();
