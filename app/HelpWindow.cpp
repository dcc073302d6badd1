#include "app/HelpWindow.h"

#include "app/Layout.h"
#include "runtime/Launcher.h"
#include "toolkit/Dialogs.h"
#include "toolkit/Widget.h"

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

constexpr int CentredSunken = 0x20001; // the text kind's centred text in a sunken border
constexpr int ReadOnlyCentred = ES_READONLY | ES_CENTER;

// The help lines go into the editor between the first two rows and the rest.
const WidgetRow HelpWidgets[] = {
    {HelpCaption, T::Text, 10, 49, 512, 18, "HELP:", CentredSunken, -1},
    {HelpText, T::Editor, 5, 71, 524, 317, "", ReadOnlyCentred, -1},
    {HelpHeaderImage, T::Image, 5, 3, 520, 40, "", WS_EX_CLIENTEDGE, -1},
    {WebsiteButton, T::Button, 70, 390, 120, 20, "VISIT WEBSITE", 0, -1},
    {HelpDonateButton, T::Button, 205, 390, 120, 20, "DONATE", 0, -1},
    {HelpOkButton, T::Button, 340, 390, 120, 20, "OK", 0, -1},
};
constexpr int RowsAboveLines = 2;

} // namespace

void HelpWindowRun(const std::vector<std::string>& lines, HANDLE headerImage, int number) {
    HWND window = reinterpret_cast<HWND>(
        WindowOpen(number, 0, 0, 534, 413, "Information", WindowCenteredOnParent, nullptr));
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
        const int kind = EventWait();
        const int widget = EventWidgetId();
        const int subtype = EventSubtype();
        const bool ownEscape = widget >= HelpCaption && subtype == (SubtypeKey | VK_ESCAPE);
        if (kind == EventKindClose || (kind == EventKindWidget && ownEscape)) {
            done = true;
        } else if (kind == EventKindWidget && (subtype & ~0xFFFF) != SubtypeKey) {
            // A key is no click: only a press of a button opens a page or closes the window.
            switch (widget) {
            case WebsiteButton:
                ProgramRun(WebsiteUrl);
                done = true;
                break;
            case HelpDonateButton:
                ProgramRun(DonateUrl);
                done = true;
                break;
            case HelpOkButton: done = true; break;
            }
        }
    }
    WindowClose(number);
}
