#include "toolkit/WindowChain.h"

#include <vector>

namespace {

struct Link {
    HWND window;
    WNDPROC procedure; // put in front
    WNDPROC next;      // the one it replaced
};

// Few at a time: the calculator puts both procedures in front of its main window only.
std::vector<Link> links;

Link* LinkFind(HWND window, WNDPROC procedure) {
    for (Link& link : links)
        if (link.window == window && link.procedure == procedure)
            return &link;
    return nullptr;
}

} // namespace

void WindowChainAdd(HWND window, WNDPROC procedure) {
    if (!window || LinkFind(window, procedure))
        return;
    const LONG_PTR next =
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure));
    if (next)
        links.push_back({window, procedure, reinterpret_cast<WNDPROC>(next)});
}

LRESULT WindowChainNext(WNDPROC procedure, HWND window, UINT message, WPARAM wParam,
                        LPARAM lParam) {
    const Link* link = LinkFind(window, procedure);
    const WNDPROC next = link ? link->next : nullptr;
    if (message == WM_NCDESTROY && link)
        links.erase(links.begin() + (link - links.data()));
    return next ? CallWindowProcA(next, window, message, wParam, lParam)
                : DefWindowProcA(window, message, wParam, lParam);
}
