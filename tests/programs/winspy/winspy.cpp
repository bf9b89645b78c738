// A test helper that reads and answers message boxes from outside, where X
// sees only pixels, and shows one of its own for testing the helpers.
//
//   tolvane-winspy texts TITLE           print the static texts of each message box titled TITLE
//   tolvane-winspy ok TITLE              press OK on each message box titled TITLE
//   tolvane-winspy owner TITLE           print the class of each message box's owner window
//   tolvane-winspy show TITLE TEXT CODE  show a solid panel and a message box; exit with CODE
//                                        when the box is answered with OK
//   tolvane-winspy drives                print each drive as "D: TYPE [LABEL]", TYPE the number
//                                        of GetDriveTypeA, as the installer's drive list sees it
//   tolvane-winspy close TITLE           ask each top-level window titled TITLE to close (WM_CLOSE)
//
// and, for the top-level window of window class CLASS (window_report.cpp):
//   tolvane-winspy items CLASS           print the items of its combo box, then "selected INDEX"
//   tolvane-winspy children CLASS [CHILD] print each child (of class CHILD) as
//                                        "LEFT TOP WIDTH HEIGHT VISIBLE TEXT", in client coordinates;
//                                        without CHILD each line begins with the child's class
//   tolvane-winspy focus CLASS           print the keyboard focus of its thread as
//                                        "CHILDCLASS LEFT TOP WIDTH HEIGHT", or "none"
//   tolvane-winspy state CLASS           print "VISIBLE ICONIC LEFT TOP WIDTH HEIGHT"
//   tolvane-winspy wait-state CLASS      the same once the window is shown (waits up to 10 s)
//   tolvane-winspy restore CLASS         restore it as its taskbar button would
//   tolvane-winspy tooltips              print the text of each visible tooltip
//
// texts and ok exit 0 when they found a box, 1 when not; the window modes exit
// 1 when there is no such window. Texts are in the ANSI code page, one line each.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>
#include "services/shell/handle.h"
#include "window_report.h"

namespace {

const char kDialogClass[] = "#32770";
const char kPanelClass[] = "TolvaneWinspyPanel";
// The panel's colour, which the helpers' own test looks for on the screen.
const COLORREF kPanelColour = RGB(0, 136, 255);

struct BoxSearch {
    std::string title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectBox(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<BoxSearch*>(data);
    if (ClassOf(window) == kDialogClass && StoredText(window) == search->title)
        search->found.push_back(window);
    return TRUE;
}

std::vector<HWND> FindBoxes(const std::string& title) {
    BoxSearch search{title, {}};
    (void)EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

BOOL CALLBACK PrintStaticText(HWND child, LPARAM) {
    const std::string text = StoredText(child);
    if (_stricmp(ClassOf(child).c_str(), "Static") == 0 && !text.empty())
        std::printf("%s\n", text.c_str());
    return TRUE;
}

void PressOk(HWND box) {
    (void)PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
}

int Show(const char* title, const char* text, int code) {
    UniqueGdi<HBRUSH> brush(CreateSolidBrush(kPanelColour));
    WNDCLASSA panelClass = {};
    panelClass.lpfnWndProc = DefWindowProcA;
    panelClass.hInstance = GetModuleHandleA(nullptr);
    panelClass.hbrBackground = brush.get();
    panelClass.lpszClassName = kPanelClass;
    if (!RegisterClassA(&panelClass)) return 3;
    HWND panel = CreateWindowExA(0, kPanelClass, "winspy panel", WS_POPUP | WS_VISIBLE, 100, 100,
                                 160, 90, nullptr, nullptr, panelClass.hInstance, nullptr);
    if (!panel) return 3;
    const int answer = MessageBoxA(nullptr, text, title, MB_OK);
    (void)DestroyWindow(panel);
    return answer == IDOK ? code : 2;
}

void PrintDrives() {
    char roots[512] = {};
    const DWORD length = GetLogicalDriveStringsA(sizeof(roots), roots);
    for (const char* root = roots; root < roots + length && *root; root += std::strlen(root) + 1) {
        char label[MAX_PATH + 1] = {};
        if (!GetVolumeInformationA(root, label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0))
            label[0] = '\0';
        std::printf("%c: %u%s%s\n", root[0], GetDriveTypeA(root), label[0] ? " " : "", label);
    }
}

int CloseWindows(const char* title) {
    int found = 0;
    for (HWND top = FindWindowExA(nullptr, nullptr, nullptr, title); top;
         top = FindWindowExA(nullptr, top, nullptr, title)) {
        ++found;
        (void)PostMessageA(top, WM_CLOSE, 0, 0);
    }
    return found ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Lines end in \n alone, as the shell scripts reading them expect.
    (void)_setmode(_fileno(stdout), _O_BINARY);
    if (argc == 2 && std::strcmp(argv[1], "drives") == 0) {
        PrintDrives();
        return 0;
    }
    if (argc >= 2) {
        const int reported = RunWindowReport(argc, argv);
        if (reported >= 0 && reported != 64) return reported;
    }
    if (argc == 3 && std::strcmp(argv[1], "close") == 0) return CloseWindows(argv[2]);
    if (argc == 5 && std::strcmp(argv[1], "show") == 0)
        return Show(argv[2], argv[3], std::atoi(argv[4]));
    if (argc != 3 || (std::strcmp(argv[1], "texts") != 0 && std::strcmp(argv[1], "ok") != 0 &&
                      std::strcmp(argv[1], "owner") != 0)) {
        std::fprintf(stderr, "usage: tolvane-winspy texts|ok|owner|close TITLE | show TITLE TEXT CODE | drives | "
                     "items|focus|state|wait-state|restore CLASS | children CLASS [CHILD] | tooltips\n");
        return 64;
    }
    const std::vector<HWND> boxes = FindBoxes(argv[2]);
    for (HWND box : boxes) {
        if (argv[1][0] == 't')
            (void)EnumChildWindows(box, PrintStaticText, 0);
        else if (argv[1][0] == 'o' && argv[1][1] == 'w')
            std::printf("%s\n", ClassOf(GetWindow(box, GW_OWNER)).c_str());
        else
            PressOk(box);
    }
    return boxes.empty() ? 1 : 0;
}
