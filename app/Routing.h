// How the calculator's loops read an event and route it: each loop has one table, read top to
// bottom, from (window, event kind, widget or menu number, subtype or key) to a command; the
// first line that matches decides.
#pragma once

#include "toolkit/Window.h"

#include <climits>

struct Event {
    int kind, window, number, subtype;
};

// Waits for the next event and reads it whole, once: what an action does raises events of
// its own, which must not change the one being routed.
inline Event EventNext() {
    const int kind = EventWait();
    return {kind, EventWindowId(), EventWidgetId(), EventSubtype()};
}

constexpr int AnyNumber = INT_MIN;          // any widget or menu number
constexpr int AnySubtype = INT_MIN;         // any notification, click or key
constexpr int AnyKey = INT_MIN + 1;         // any key a widget reports
constexpr int AnyColumnClick = INT_MIN + 2; // a click on any column header
constexpr int Key(int virtualKey) {         // a key a widget reports
    return SubtypeKey | virtualKey;
}
constexpr int ControlKey(int virtualKey) {
    return SubtypeKey | SubtypeKeyControl | virtualKey;
}

template <typename Command> struct Route {
    int window, kind, number, subtype;
    Command command;
    const char* text; // what the command shows, where it shows one
};

inline bool RouteMatches(int window, int kind, int number, int subtype, const Event& event) {
    const bool key = (event.subtype & ~0xFFFF) == SubtypeKey;
    const bool column = (event.subtype & ~0xFFFF) == SubtypeColumnClick;
    return window == event.window && kind == event.kind &&
           (number == AnyNumber || number == event.number) &&
           (subtype == AnySubtype || subtype == event.subtype || (subtype == AnyKey && key) ||
            (subtype == AnyColumnClick && column));
}

// The first line of `table` that matches `event`; nullptr when none does.
template <typename Command, size_t Lines>
const Route<Command>* RouteFind(const Route<Command> (&table)[Lines], const Event& event) {
    for (const Route<Command>& line : table)
        if (RouteMatches(line.window, line.kind, line.number, line.subtype, event))
            return &line;
    return nullptr;
}
