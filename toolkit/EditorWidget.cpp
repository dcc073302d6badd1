// Editors: rich-edit controls whose lines are handled as items. The help window shows its text
// in a read-only, centred one.
#include "toolkit/EditorWidget.h"

#include "toolkit/WidgetFramework.h"

#include <richedit.h>

#include <new>
#include <vector>

namespace {

WidgetKind editorKind;
bool richEdit20 = false; // decides the control class
// The rich-edit class's procedure; the same for every editor, kept for the whole run.
WNDPROC richEditProcedure = nullptr;

// Scroll bars, Tab stop, and a multi-line text that keeps its selection shown.
constexpr DWORD EditorStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP |
                              ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL |
                              ES_WANTRETURN;
// No length limit. The largest positive one: some rich-edit versions read -1 as a negative
// limit and then refuse every typed character.
constexpr LPARAM EditorNoLimit = 0x7FFFFFFF;

// An editor holding nothing but added empty lines has no text to count them by, so it
// remembers them.
enum class EmptyLine {
    None,   // the text is all there is
    One,    // the empty text stands for one empty line
    Written // that empty line has been written out as a line break
};

struct EditorState : WidgetState {
    EmptyLine emptyLine = EmptyLine::None;
};

EmptyLine& EmptyLineOf(WidgetRecord* editor) {
    return static_cast<EditorState*>(editor->State)->emptyLine;
}

LRESULT Send(WidgetRecord* editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(editor->Handle, message, wParam, lParam);
}

int TextLength(WidgetRecord* editor) {
    return static_cast<int>(Send(editor, WM_GETTEXTLENGTH));
}

int LineStart(WidgetRecord* editor, int line) {
    return static_cast<int>(Send(editor, EM_LINEINDEX, static_cast<WPARAM>(line)));
}

void Select(WidgetRecord* editor, int start, int end) {
    Send(editor, EM_SETSEL, static_cast<WPARAM>(start), end);
}

void Replace(WidgetRecord* editor, const char* text) {
    Send(editor, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void EditorFrontColorApply(WidgetRecord* editor) {
    CHARFORMATA format = {};
    format.cbSize = sizeof format;
    format.dwMask = CFM_COLOR;
    format.dwEffects = editor->FrontColor == -1 ? CFE_AUTOCOLOR : 0;
    format.crTextColor = static_cast<COLORREF>(editor->FrontColor);
    Send(editor, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    Send(editor, EM_SETCHARFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

// A new font brings the control's default colour back; the chosen one is applied again.
LRESULT CALLBACK EditorFontProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(richEditProcedure, control, message, wParam, lParam);
    if (message != WM_SETFONT)
        return result;
    if (WidgetRecord* editor = WidgetFromControl(control)) // once registered
        EditorFrontColorApply(editor);
    return 0;
}

void EditorClearItems(WidgetRecord* editor) {
    SetWindowTextA(editor->Handle, "");
    EmptyLineOf(editor) = EmptyLine::None;
}

void EditorSetText(WidgetRecord* editor, const char* text) {
    if (!text || !*text)
        EditorClearItems(editor);
    else
        SetWindowTextA(editor->Handle, text);
}

int EditorCountItems(WidgetRecord* editor) {
    if (TextLength(editor) == 0 && EmptyLineOf(editor) == EmptyLine::None)
        return 0;
    return static_cast<int>(Send(editor, EM_GETLINECOUNT));
}

int EditorAddItem(WidgetRecord* editor, int position, const char* text, HANDLE) {
    if (!text)
        text = "";
    const int start = LineStart(editor, position);
    const bool wasEmpty = TextLength(editor) == 0;
    Send(editor, EM_HIDESELECTION, 1);
    // An empty editor's only native line is no item unless an empty line was added.
    const bool lineExists =
        position != -1 && start != -1 && !(wasEmpty && EmptyLineOf(editor) == EmptyLine::None);
    if (lineExists) {
        Select(editor, start, start);
        const std::string line = std::string(text) + "\n";
        Replace(editor, line.c_str());
    } else {
        const int end = TextLength(editor);
        Select(editor, end, end);
        // The pending empty line is written only while the text is still empty; once other
        // text was put in, it no longer stands for anything.
        if (EmptyLineOf(editor) == EmptyLine::One) {
            if (wasEmpty)
                Replace(editor, "\n");
            EmptyLineOf(editor) = EmptyLine::Written;
        }
        if (!wasEmpty)
            Replace(editor, "\n");
        else if (!*text && EmptyLineOf(editor) == EmptyLine::None)
            EmptyLineOf(editor) = EmptyLine::One;
        Replace(editor, text);
    }
    Send(editor, EM_HIDESELECTION, 0);
    return 1;
}

void EditorRemoveItem(WidgetRecord* editor, int line) {
    int start = LineStart(editor, line);
    if (start == -1)
        return;
    const int next = LineStart(editor, line + 1);
    // The last line takes the break before it along; left behind, that break would be a new
    // empty last line.
    if (next == -1 && line > 0) {
        const int previous = LineStart(editor, line - 1);
        start = previous + static_cast<int>(Send(editor, EM_LINELENGTH, previous));
    }
    Send(editor, EM_HIDESELECTION, 1);
    Select(editor, start, next);
    Replace(editor, "");
    Send(editor, EM_HIDESELECTION, 0);
    if (TextLength(editor) == 0)
        EmptyLineOf(editor) = EmptyLine::None;
}

std::string EditorGetItemText(WidgetRecord* editor, int line, int) {
    const int start = LineStart(editor, line);
    if (start == -1)
        return std::string();
    const int length = static_cast<int>(Send(editor, EM_LINELENGTH, static_cast<WPARAM>(start)));
    if (length <= 0)
        return std::string();
    // Read as a range rather than with EM_GETLINE, whose 16-bit size word would cut lines
    // longer than 65532 characters short. Room for two bytes per character of a
    // double-byte code page.
    std::vector<char> buffer(static_cast<size_t>(length) * 2 + 2, '\0');
    TEXTRANGEA range = {{start, start + length}, buffer.data()};
    Send(editor, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range));
    std::string text = buffer.data();
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

void EditorSetItemText(WidgetRecord* editor, int line, const char* text, int) {
    const int start = LineStart(editor, line);
    if (start == -1)
        return;
    const int length = static_cast<int>(Send(editor, EM_LINELENGTH, static_cast<WPARAM>(start)));
    Send(editor, EM_HIDESELECTION, 1);
    Select(editor, start, start + length);
    Replace(editor, text ? text : "");
    Send(editor, EM_HIDESELECTION, 0);
}

int EditorGetAttribute(WidgetRecord* editor, int attribute) {
    if (attribute != EditorReadOnly)
        return 0;
    return (Send(editor, EM_GETOPTIONS) & ECO_READONLY) ? 1 : 0;
}

void EditorSetAttribute(WidgetRecord* editor, int attribute, int value) {
    if (attribute == EditorReadOnly)
        Send(editor, EM_SETREADONLY, value != 0 ? 1 : 0);
}

void EditorSetColor(WidgetRecord* editor, int which, int color) {
    if (which == WidgetColorBack) {
        if (color == -1)
            Send(editor, EM_SETBKGNDCOLOR, 1, 0); // the system colour
        else
            Send(editor, EM_SETBKGNDCOLOR, 0, color);
        editor->BackColor = color;
    } else if (which == WidgetColorFront) {
        editor->FrontColor = color;
        EditorFrontColorApply(editor);
    }
}

int EditorGetColor(WidgetRecord* editor, int which) {
    return which == WidgetColorFront  ? editor->FrontColor
           : which == WidgetColorBack ? editor->BackColor
                                      : -1;
}

void EditorKindFill() {
    editorKind.RecordSize = WidgetRecordSize;
    editorKind.SetText = EditorSetText;
    editorKind.AddItem = EditorAddItem;
    editorKind.RemoveItem = EditorRemoveItem;
    editorKind.ClearItems = EditorClearItems;
    editorKind.CountItems = EditorCountItems;
    editorKind.GetItemText = EditorGetItemText;
    editorKind.SetItemText = EditorSetItemText;
    editorKind.GetAttribute = EditorGetAttribute;
    editorKind.SetAttribute = EditorSetAttribute;
    editorKind.SetColor = EditorSetColor;
    editorKind.GetColor = EditorGetColor;
    // GetText is the framework's: the control's whole window text.
    editorKind.Kind = WidgetKindEditor;
    richEdit20 = LoadLibraryA("RICHED20.DLL") != nullptr;
    if (!richEdit20)
        LoadLibraryA("RICHED32.DLL");
}

} // namespace

intptr_t EditorWidgetCreate(int number, int x, int y, int width, int height, int flags) {
    if (!editorKind.Kind)
        EditorKindFill();
    HWND control = CreateWindowExA(
        WS_EX_CLIENTEDGE, richEdit20 ? "RichEdit20A" : "RichEdit", "",
        EditorStyle | static_cast<DWORD>(flags), x, y, width, height, WidgetListParent(),
        reinterpret_cast<HMENU>(static_cast<intptr_t>(-1)), GetModuleHandleA(nullptr), nullptr);
    if (!control)
        return 0;
    SendMessageA(control, EM_LIMITTEXT, EditorNoLimit, 0);
    WNDPROC previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&EditorFontProc)));
    if (!richEditProcedure)
        richEditProcedure = previous;
    // What the new control queued is handled now and reports nothing.
    MessagesFlush();
    auto* state = new (std::nothrow) EditorState;
    int assigned = 0;
    WidgetRecord* editor = state ? WidgetRecordAcquire(number, &assigned) : nullptr;
    if (!editor) {
        delete state;
        DestroyWindow(control);
        return 0;
    }
    editor->State = state;
    editor->FrontColor = -1;
    editor->BackColor = -1;
    return WidgetRegister(number, assigned, editor, control, &editorKind);
}
