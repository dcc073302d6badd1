// Creators of the widget kinds, one file each. Every creator makes its control in the current
// widget list (WidgetListBegin), registers it and returns what WidgetRegister returns: the
// control's handle, or for AutoNumber the new number; 0 when the control cannot be created.
// Position and size are in the parent's client coordinates. A null text is the empty text.
#pragma once

#include "toolkit/Widget.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Frame types. Fixed: callers pass these numbers.
enum FrameType : int { FrameTitled = 0, FrameSunken = 1, FrameStaticEdge = 2, FrameBorder = 3 };

// Flag values callers pass to the creators. Fixed numbers of the contract: each is a style bit
// of the control's own that the creator either passes on or reads as the toolkit's option.
constexpr int TextCentered = SS_CENTER;               // 1
constexpr int TextRightAligned = SS_RIGHT;            // 2
constexpr int TextSunken = 0x20000;                   // shown with WS_EX_CLIENTEDGE
constexpr int StringReadOnly = ES_READONLY;           // 0x800
constexpr int StringNoEdge = 0x20000;                 // no WS_EX_CLIENTEDGE
constexpr int ListViewCheckBoxes = 1;                 // LVS_EX_CHECKBOXES
constexpr int ListViewMultipleSelection = 4;          // no LVS_SINGLESEL
constexpr int ListViewGridLines = 0x10000;            // LVS_EX_GRIDLINES
constexpr int ListViewDraggableHeaders = 0x10000000;  // LVS_EX_HEADERDRAGDROP
constexpr int ListViewWholeRowSelection = 0x40000000; // LVS_EX_FULLROWSELECT
// List-view row states (item state slots) and the column-width item attribute.
constexpr int ListViewRowSelected = 1;
constexpr int ListViewRowChecked = 2;
constexpr int ListViewColumnWidth = 1;

// Frame type 0: a titled group box; 1 sunken edge, 2 static edge, others a plain border.
// Types 1 to 3 show no title and paint nothing inside, so the widgets within stay visible.
intptr_t FrameWidgetCreate(int number, int x, int y, int width, int height, const char* title,
                           int type = 0);

// flags: button styles (0: a plain push button).
intptr_t ButtonWidgetCreate(int number, int x, int y, int width, int height, const char* text,
                            int flags = 0);

// Options created one right after another form one group; any other widget ends the group.
intptr_t OptionWidgetCreate(int number, int x, int y, int width, int height, const char* text);

// flags: 1 centred, 2 right-aligned, 0x20000 sunken edge, or other static styles.
intptr_t TextWidgetCreate(int number, int x, int y, int width, int height, const char* text,
                          int flags = 0);

// flags: 0x800 read-only, 0x20000 no sunken edge, or other edit styles. Reports 14000 and
// 14001 to its window when it gains and loses the keyboard focus.
intptr_t StringWidgetCreate(int number, int x, int y, int width, int height, const char* text,
                            int flags = 0);

// A report-view table with one first column. flags: 1 check boxes, 4 multiple selection,
// 0x10000 grid lines, 0x10000000 draggable headers, 0x40000000 whole-row selection.
// Rows are added as their cells joined by line feeds.
intptr_t ListViewWidgetCreate(int number, int x, int y, int width, int height,
                              const char* firstTitle, int firstWidth, int flags = 0);
// Screen point just under the start of `row`; the list's top-left corner when there is no
// such row. For a popup opened from the keyboard.
POINT ListViewRowScreenPoint(int number, int row);
// The texts of `row`'s first `count` cells, without copies, for reading many rows fast: good
// until the list changes; cells the row does not have read "". False when there is no such
// row or no such list view.
bool ListViewRowCells(int number, int row, const char** cells, int count);
// Shows `rows` rows, in place of those the list had, whose texts `text(row, column)` gives by
// row number when the control draws them or they are read or searched: a list of a million
// rows costs only the rows on the screen. Rows added later keep their own texts; clearing the
// list lets `text` go. Called again, it draws the rows anew, as after a sort.
// ListViewRowCells reads only the rows' own texts.
void ListViewTextSourceSet(int number, int rows,
                           std::function<std::string(int row, int column)> text);
// Scrolls the list so that `row` is in sight.
void ListViewRowShow(int number, int row);
// Shows the sort arrow in `column`'s header: up for direction > 0, down for < 0, none for 0.
// The other columns lose theirs. A header click reports SubtypeColumnClick | the column.
void ListViewSortArrowSet(int number, int column, int direction);

// Rows taken out of a list view, kept aside whole (texts, values, colours) to be put back into
// the same list later. Freed with their memory when they are not.
struct ListViewRowBlock;
void ListViewRowBlockFree(ListViewRowBlock* block);
struct ListViewRowBlockDelete {
    void operator()(ListViewRowBlock* block) const { ListViewRowBlockFree(block); }
};
using ListViewRowsTaken = std::unique_ptr<ListViewRowBlock, ListViewRowBlockDelete>;
int ListViewRowBlockCount(const ListViewRowBlock* block);

// Takes rows first .. first + count - 1 out of the list, moved rather than copied: all the rows
// at once cost no more than one. nullptr when there are no such rows.
ListViewRowsTaken ListViewRowsTake(int number, int first, int count);
// Puts taken rows back in before row `position` (past the end: at the end).
void ListViewRowsPut(int number, int position, ListViewRowsTaken block);
// Hands `visit` the text of `column` in each row in turn, without copying it.
void ListViewColumnVisit(int number, int column, const std::function<void(const char*)>& visit);
// Moves the rows into a new order: row i becomes the row that was at order[i]. Nothing unless
// `order` names every row once.
void ListViewRowsReorder(int number, const std::vector<int>& order);
