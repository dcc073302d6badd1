// The numbers of the calculator's windows. Apart from the widget and menu numbers, so that
// a file drawing with the common controls' header need not see the menu item names.
#pragma once

enum WindowNumber { MainWindow = 0, HelpWindow = 1, StatsWindow = 2 };
