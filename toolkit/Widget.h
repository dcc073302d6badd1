// Widgets: the application's numbered controls, all reached through the generic operations
// below, which call the operation slots of the widget's kind or fall back to a default.
// The creators of the kinds are in Widgets.h, ImageWidget.h and EditorWidget.h; the framework
// the kinds are built on is private to the toolkit (WidgetFramework.h).
#pragma once

#include "toolkit/Window.h"

#include <windows.h>

#include <cstdint>
#include <string>

// Kind numbers . Fixed: they are the numbers the product has always given
// its kinds, and code outside the toolkit may compare with them.
enum WidgetKindNumber : int {
    WidgetKindButton = 1,
    WidgetKindString = 2,
    WidgetKindText = 3,
    WidgetKindOption = 5,
    WidgetKindFrame = 7,
    WidgetKindImage = 9,
    WidgetKindListView = 12,
    WidgetKindEditor = 22,
};

// Which colour WidgetSetColor and the colour slots mean. Fixed: callers pass these numbers.
enum WidgetColorSelector : int {
    WidgetColorFront = 1,
    WidgetColorBack = 2,
    WidgetColorGrid = 3, // list views: the grid lines
};

// Once at start-up: the common controls (CommonControlsInit; COM comes with the first dialog
// or shell open), the widget table, font and brush cache (WidgetsInit).
void CommonControlsInit();
void WidgetsInit();

// New widgets become children of `window`; returns `window`. Also ends an option group.
HWND WidgetListBegin(HWND window);

// Generic operations. An unknown number gives 0 or the empty text and changes nothing.
// Texts in: nullptr is the empty text.
std::string WidgetGetText(int number);
void WidgetSetText(int number, const char* text);
int WidgetGetState(int number);
void WidgetSetState(int number, int state);
int WidgetCountItems(int number);
int WidgetAddItem(int number, int position, const char* text);
std::string WidgetGetItemText(int number, int item, int column);
void WidgetRemoveItem(int number, int item);
void WidgetRemoveAllItems(int number);
void WidgetSetColor(int number, int which, int color); // which: a WidgetColorSelector
int WidgetAddColumn(int number, int position, const char* title, int width);
// Attribute of an item's column, such as a list view's ListViewColumnWidth (item unused).
void WidgetSetItemAttribute(int number, int item, int attribute, int value, int column);
// Moves the control; IgnoreValue keeps that coordinate or size as it is.
void WidgetResize(int number, int x, int y, int width, int height);
