// The event queue below Window.cpp: every event the window procedure records, oldest first, and
// the current event, the one the loop took last. A leaf: it calls nothing of the toolkit.
#pragma once

#include "toolkit/Events.h"

void EventQueueInit();
// Records an event of window `window` behind every other. Only a repeated move, size, erase or
// activation of one window directly behind its own kind collapses into the one queued.
void EventQueuePush(int kind, int window, int object = 0, int subtype = -1);
// Makes the oldest queued event current and returns its kind; EventNone when none is queued.
// Events of windows for which `live` says false are dropped on the way.
int EventQueueTake(bool (*live)(int window));
// Makes a plain message current: no window, no subtype; the object number stays.
void EventCurrentSetMessage(int message);
// The newest queued event, to drop what comes after it again (nullptr: the queue was empty).
const void* EventQueueMark();
void EventQueueDropAfter(const void* mark);
