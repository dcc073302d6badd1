// The editor widget kind (EditorWidget.cpp): a multi-line rich-text control whose lines are
// its items.
#pragma once

#include "toolkit/Widget.h"

// Attribute of the GetAttribute / SetAttribute slots: the editor is read-only. As a flag of
// EditorWidgetCreate, the same number makes it read-only from the start.
constexpr int EditorReadOnly = 2048;
constexpr int EditorCentered = ES_CENTER; // flag: centred lines

// Makes the editor in the current widget list (WidgetListBegin) and registers it; returns
// what WidgetRegister returns, 0 when the control cannot be created. flags: edit styles, for
// example 0x800 read-only and 1 centred lines.
intptr_t EditorWidgetCreate(int number, int x, int y, int width, int height, int flags = 0);
