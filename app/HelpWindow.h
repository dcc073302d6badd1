// The help window: the help text under the header picture, with links to the web site and
// the donation page. It runs its own event loop until it is closed.
#pragma once

#include "app/Layout.h"

#include <windows.h>

#include <string>
#include <vector>

// The addresses the links open; whoever packages the program sets them when building.
extern const char WebsiteUrl[];
extern const char DonateUrl[];

// Opens the help window, shows `lines` and waits until the user closes it. Events meant for
// other windows are taken and dropped meanwhile. When the window can't be opened, an error
// message says so and nothing else happens.
void HelpWindowRun(const std::vector<std::string>& lines, HANDLE headerImage);
