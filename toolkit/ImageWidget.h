// The image widget kind (ImageWidget.cpp): a bitmap or icon shown at its own size.
#pragma once

#include "toolkit/Widget.h"

// Makes the widget in the current widget list (WidgetListBegin) and registers it; returns what
// WidgetRegister returns, 0 when the control cannot be created. With an image the control
// takes the image's size (plus the edge WS_EX_CLIENTEDGE draws); without one, the size given.
// The image (none allowed) is also the widget's state: WidgetSetState / WidgetGetState.
// Reports left double click (2), right click (1), right double click (3) and drag start
// (14002); a left click arrives as the static control's own click notification (0).
intptr_t ImageWidgetCreate(int number, int x, int y, int width, int height, HANDLE image,
                           DWORD extendedStyle = 0);
