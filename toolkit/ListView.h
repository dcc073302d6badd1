// The list view's parts (ListView*.cpp) share this header: the kind's own state, the
// messages to the control, and what each part offers the ones above it. Private.
//
// The widget keeps its rows itself and shows them through an owner-data control: the
// control knows only how many rows there are and asks for the texts, images and states of
// the rows it draws (LVN_GETDISPINFO). So a list of a hundred thousand rows costs no more
// to fill than the rows themselves, and the control draws just what is on the screen.
//   ListViewControl.cpp   the control itself: messages, counts, the state (a leaf)
//   ListViewRowData.cpp   row data blocks: a value per row and cell colours
//   ListViewRowImages.cpp row images
//   ListViewRows.cpp      rows, cells, selection and columns
//   ListViewColors.cpp    colours of the list and of cells
//   ListViewDrawing.cpp   custom drawing: cell colours and grid lines
//   ListViewWidget.cpp    the kind: creation, its procedure, notifications
#pragma once

#include "toolkit/Gdi.h"
#include "toolkit/WidgetFramework.h"
#include "toolkit/Widgets.h"

#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Row images: a small and a large image list behind the rows, index 0 transparent. The
// control only shows them (LVS_SHAREIMAGELISTS); they are the set's.
struct RowImageSet {
    ImageList small;
    ImageList large;
    std::vector<std::pair<HANDLE, int>> added; // image handle, index in the small list
};

// ListViewRowData.cpp: blocks in ints, [0] the row value, then per column c the pair
// [1 + 2c] front + 1 and [2 + 2c] back + 1, where 0 means the list's own colour.
using RowData = int;

// One row as the widget keeps it.
struct ListRow {
    std::unique_ptr<char[]> cells; // cellCount texts, each ended by '\0'; cells past them are empty
    RowData* data = nullptr;       // value and cell colours, made on first use
    int image = 0;                 // index in the row images; 0 is the transparent placeholder
    unsigned short cellCount = 0;
    bool checked = false;
};

struct ListViewState : WidgetState {
    std::vector<ListRow> rows;
    std::unique_ptr<RowImageSet> rowImages; // nullptr until a row is added with an image
    int gridColor = -1;                     // -1: the control draws its own grid
    bool frontSet = false;                  // a front colour was set on the whole list
    bool backSet = false;                   // a back colour was set on the whole list
    // Rows were added that the control has not been told of yet: it learns the new count
    // once, before the next message it gets or when the event loop runs again.
    bool countPending = false;
    int columns = -1;   // the header's column count, -1 until asked again after a change
    bool quiet = false; // selection moved by the widget itself: no events
    // The texts of rows without cells of their own, asked for as they are drawn or read.
    std::function<std::string(int row, int column)> textSource;
    // A new order of the rows, kept aside rather than carried out: row i shows rows[shown[i]].
    // Empty when the rows stand in the order shown.
    std::vector<int> shown;
};

// Posted to the control when rows were added: the event loop is running again, so the
// control may learn the new count and draw once with all the new rows.
constexpr UINT ListViewCountMessage = WM_APP + 0x2C1;

// ListViewControl.cpp
ListViewState& ListViewStateOf(WidgetRecord* widget);
// The list-view class's own procedure, kept by the first creation for the whole run.
void ListViewProcedureSet(WNDPROC procedure);
// Straight to the control's own procedure: the procedures stacked in front of it pass these
// messages on unchanged, and filling a big list sends hundreds of thousands of them.
LRESULT ListViewSend(WidgetRecord* widget, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT ListViewSendTo(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
// Tells the control the number of rows if rows were added since it last heard.
void ListViewCountSync(WidgetRecord* widget);
int ListViewRowCount(WidgetRecord* widget);          // the rows the widget keeps
ListRow* ListViewRow(WidgetRecord* widget, int row); // nullptr: no such row
HWND ListViewHeader(WidgetRecord* widget);
int ListViewColumnCount(WidgetRecord* widget);
void ListViewRepaint(WidgetRecord* widget);

// ListViewMove.cpp
// Puts the rows in the order shown, for a change that adds or removes rows.
void ListViewRowsSettle(ListViewState& state);

// ListViewRowData.cpp
int* RowDataColorPair(RowData* data, int column);
RowData* RowDataGet(WidgetRecord* widget, int row);  // nullptr: the row has none
RowData* RowDataNeed(WidgetRecord* widget, int row); // made on first use; nullptr: no memory
void RowDataFree(WidgetRecord* widget, int row);
void RowDataRelease(ListRow& row);         // the block of a row the widget no longer keeps
void RowDataFreeAll(WidgetRecord* widget); // the rows stay, without blocks
void RowDataColumnInserted(WidgetRecord* widget, int column, int columns);
void RowDataColumnRemoved(WidgetRecord* widget, int column, int columnsBefore);
void ListViewSetItemData(WidgetRecord* widget, int row, int value);
int ListViewGetItemData(WidgetRecord* widget, int row);
// Row data blocks alive in all list views.
int ListViewRowDataCount();

// ListViewRowImages.cpp
// The index of `image` in the row images, adding it on first use; -1 when it cannot be added.
int RowImageIndex(WidgetRecord* widget, HANDLE image);
void RowImagesReset(WidgetRecord* widget);

// ListViewRows.cpp: the kind's slots for rows, cells, selection and columns.
const char* ListViewCellText(const ListRow& row, int column);
// The text of a cell, the row's own or else the text source's, which goes into `spare`; ""
// when there is no such row.
const char* ListViewCellRead(WidgetRecord* widget, int row, int column, std::string& spare);
void ListViewCheckChanged(WidgetRecord* widget, int row, UINT state); // the user's tick
UINT ListViewCheckImage(const ListRow& row); // the row's check box as a state image
int ListViewAddItem(WidgetRecord* widget, int position, const char* text, HANDLE image);
std::string ListViewGetItemText(WidgetRecord* widget, int row, int column);
void ListViewSetItemText(WidgetRecord* widget, int row, const char* text, int column);
int ListViewGetState(WidgetRecord* widget); // the first selected row, -1 none
void ListViewSetState(WidgetRecord* widget, int row);
std::string ListViewGetText(WidgetRecord* widget);
void ListViewSetText(WidgetRecord* widget, const char* text);
void ListViewRemoveItem(WidgetRecord* widget, int row);
void ListViewClearItems(WidgetRecord* widget);
int ListViewCountItems(WidgetRecord* widget);
int ListViewGetItemState(WidgetRecord* widget, int row);
void ListViewSetItemState(WidgetRecord* widget, int row, int state);
int ListViewAddColumn(WidgetRecord* widget, int position, const char* title, int width);
int ListViewRemoveColumn(WidgetRecord* widget, int column);
int ListViewGetItemAttribute(WidgetRecord* widget, int row, int attribute, int column);
void ListViewSetItemAttribute(WidgetRecord* widget, int row, int attribute, int value, int column);

// ListViewColors.cpp
// Keeps the colours a new control reports, which -1 brings back.
void ListViewColorsRemember(HWND control);
void ListViewSetColor(WidgetRecord* widget, int which, int color);
int ListViewGetColor(WidgetRecord* widget, int which);
void ListViewSetItemColor(WidgetRecord* widget, int row, int which, int color, int column);
int ListViewGetItemColor(WidgetRecord* widget, int row, int which, int column);

// ListViewDrawing.cpp: what the control asks of the rows it draws.
void ListViewDisplayInfo(WidgetRecord* widget, LVITEMA* item);
void ListViewDisplayInfo(WidgetRecord* widget, LVITEMW* item);
LRESULT ListViewCustomDraw(WidgetRecord* widget, NMLVCUSTOMDRAW* draw);
