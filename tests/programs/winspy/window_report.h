#pragma once
#include <windows.h>
#include <string>
// Reports on a running program's top-level window, found by its window class,
// for script tests that must see what X cannot: control texts, the focus, the
// minimised state.

// Runs the window mode in argv[1] ("items", "children", "focus", "state",
// "restore", "tooltips", "wait-state"); answers -1 when argv[1] is none of them, else the
// exit code: 0 done, 1 no such window, 64 wrong arguments.
int RunWindowReport(int argc, char** argv);

std::string ClassOf(HWND window);
// The text as the window system keeps it: answered even while the window's
// own program is busy or held.
std::string StoredText(HWND window);
