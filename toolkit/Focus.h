// Tab and Shift+Tab for toolkit windows, which are not dialog boxes and so get no Tab handling
// from the system. A leaf: it works on native windows only.
#pragma once

enum class FocusDirection { Forward, Backward };

// Moves the focus to the next or previous tab stop of the active window, wrapping around.
void FocusNavigate(FocusDirection direction);
// A plain Tab typed into a writable rich-edit control is text for it, not a move.
bool FocusTabIsText();
// The focus is in a field the user types in (a writable edit or rich-edit control): keys such
// as Ctrl+Z are the field's own there.
bool FocusIsTyping();
