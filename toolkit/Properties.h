// The window properties the toolkit puts on native windows, each name spelled once.
#pragma once

// On a toolkit window: its number + 1 (0 would read as "no property"). Window.cpp sets it.
constexpr char WindowNumberProperty[] = "GT_WindowID";
// On a widget's control: its widget number (the control's id leads to its record, see
// WidgetFromControl). The widget framework sets it.
constexpr char WidgetNumberProperty[] = "GT_ID";
// On a list view: the row selected last, -1 none (ListViewWidget.cpp).
constexpr char LastSelectedProperty[] = "GT_LastSelected";
// On a status bar's parent: the bar's number (StatusBar.cpp).
constexpr char StatusBarNumberProperty[] = "gt_statusbar_id";
// On a window that follows display scale changes: the application's handler (Dpi.cpp).
constexpr char DpiHandlerProperty[] = "kv_dpi_handler";
