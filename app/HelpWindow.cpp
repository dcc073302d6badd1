#include "app/HelpWindow.h"

#include "app/Layout.h"
#include "app/Routing.h"
#include "runtime/Launcher.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Dpi.h"
#include "toolkit/EditorWidget.h"
#include "toolkit/Widgets.h"

#include <iterator>

#ifndef KV_WEBSITE_URL
#define KV_WEBSITE_URL "https://www.kestrava.example/"
#endif
#ifndef KV_DONATE_URL
#define KV_DONATE_URL "https://www.kestrava.example/donate"
#endif

const char WebsiteUrl[] = KV_WEBSITE_URL;
const char DonateUrl[] = KV_DONATE_URL;

namespace {

using T = WidgetType;

constexpr int CenteredSunken = TextCentered | TextSunken;
constexpr int ReadOnlyCentered = EditorReadOnly | EditorCentered;

// The help lines go into the editor between the first two rows and the rest.
const WidgetRow HelpWidgets[] = {
    {HelpCaption, T::Text, 10, 49, 512, 18, "HELP:", CenteredSunken, -1},
    {HelpText, T::Editor, 5, 71, 524, 317, "", ReadOnlyCentered, -1},
    {HelpHeaderImage, T::Image, 5, 3, 520, 45, "", WS_EX_CLIENTEDGE, -1},
    {WebsiteButton, T::Button, 70, 390, 120, 20, "VISIT WEBSITE", 0, -1},
    {HelpDonateButton, T::Button, 205, 390, 120, 20, "DONATE", 0, -1},
    {HelpOkButton, T::Button, 340, 390, 120, 20, "OK", 0, -1},
};
constexpr int RowsAboveLines = 2;

enum class Do { Nothing, Close, Website, Donate };

// While help is open it takes every event: a close request for the calculator closes only
// help, and whatever else the calculator reports is dropped.
constexpr int Help = HelpWindow, Widget = EventKindWidget;
const Route<Do> HelpRoutes[] = {
    {Help, EventKindClose, AnyNumber, AnySubtype, Do::Close, nullptr},
    {MainWindow, EventKindClose, AnyNumber, AnySubtype, Do::Close, nullptr},
    {Help, Widget, AnyNumber, Key(VK_ESCAPE), Do::Close, nullptr},
    {Help, Widget, AnyNumber, AnyKey, Do::Nothing, nullptr}, // a key is no click
    {Help, Widget, WebsiteButton, AnySubtype, Do::Website, nullptr},
    {Help, Widget, HelpDonateButton, AnySubtype, Do::Donate, nullptr},
    {Help, Widget, HelpOkButton, AnySubtype, Do::Close, nullptr},
};

} // namespace

void HelpWindowRun(const std::vector<std::string>& lines, HANDLE headerImage) {
    const int number = HelpWindow;
    const int dpi = WindowDpi(WindowNativeHandle(MainWindow)); // opened over the calculator
    HWND window =
        reinterpret_cast<HWND>(WindowOpen(number, 0, 0, DpiScale(534, dpi), DpiScale(413, dpi),
                                          "Information", WindowCenteredOnParent, nullptr));
    if (!window) {
        MessageBoxShow("ERROR", "Can't open the help window!");
        return;
    }
    WindowActivate(number);
    if (WidgetListBegin(window)) {
        const WidgetRow* linesAt = std::begin(HelpWidgets) + RowsAboveLines;
        WidgetRowsCreate(window, std::begin(HelpWidgets), linesAt, headerImage);
        // All lines in file order in one go: appending them one by one costs time that grows
        // with every line, and a long help file would keep the window from ever showing.
        std::string text;
        for (const std::string& line : lines)
            text += (&line == &lines.front() ? "" : "\r\n") + line;
        WidgetSetText(HelpText, text.c_str());
        WidgetRowsCreate(window, linesAt, std::end(HelpWidgets), headerImage);
    }

    for (bool done = false; !done;) {
        const Route<Do>* route = RouteFind(HelpRoutes, EventNext());
        if (!route)
            continue;
        if (route->command == Do::Website)
            ProgramRun(WebsiteUrl);
        else if (route->command == Do::Donate)
            ProgramRun(DonateUrl);
        done = route->command != Do::Nothing;
    }
    WindowClose(number);
}
