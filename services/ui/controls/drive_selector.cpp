#include "services/ui/controls/drive_selector.h"
#include "services/ui/state.h"
#include <cctype>
#include <cstring>

namespace ui {

static char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

char CurrentDirectoryDrive() {
    char folder[MAX_PATH] = {};
    DWORD length = GetCurrentDirectoryA(sizeof(folder), folder);
    return length >= 2 && length < sizeof(folder) && folder[1] == ':' ? Upper(folder[0]) : '@';
}

std::string DriveItemText(const std::string& root) {
    const char letter = Upper(root[0]);
    const char probe[] = {letter, ':', '\\', '\0'};
    const UINT type = GetDriveTypeA(probe);
    std::string text{letter, ':'};
    switch (type) {
    case DRIVE_FIXED: text += " （硬盘）"; break;
    case DRIVE_REMOTE: text += " （网络驱动器）"; break;
    case DRIVE_CDROM: text += " （光驱）"; break;
    case DRIVE_RAMDISK: text += " （内存虚拟驱动器）"; break;
    }
    if (type == DRIVE_FIXED) {
        char label[499] = {};
        if (GetVolumeInformationA(root.c_str(), label, sizeof(label), nullptr, nullptr, nullptr, nullptr, 0) &&
            label[0] != '\0') {
            text += ' ';
            text += label;
        }
    }
    return text;
}

HWND DriveSelector::Create(HWND parent) {
    const ControlTemplate& f = Form();
    const DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_AUTOHSCROLL |
                        (f.tabStop ? WS_TABSTOP : 0);
    // The height covers the selection field and the dropped-down list together.
    hwnd_ = CreateWindowExA(0, "COMBOBOX", "", style, f.left, f.top, f.width, f.height > 80 ? f.height : 80, parent,
                            nullptr, Instance(), nullptr);
    if (!hwnd_) return nullptr;
    AttachControl(hwnd_, this);
    (void)SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    Fill();
    return hwnd_;
}

void DriveSelector::Fill() {
    (void)SendMessageA(hwnd_, CB_RESETCONTENT, 0, 0);
    char roots[260] = {};
    (void)GetLogicalDriveStringsA(sizeof(roots), roots);
    const char wanted = current_ ? current_ : CurrentDirectoryDrive();
    LRESULT selected = CB_ERR;
    for (const char* root = roots; *root; root += std::strlen(root) + 1) {
        const LRESULT index =
            SendMessageA(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(DriveItemText(root).c_str()));
        const char letter = Upper(root[0]);
        (void)SendMessageA(hwnd_, CB_SETITEMDATA, static_cast<WPARAM>(index), static_cast<unsigned char>(letter));
        if (letter == wanted) selected = index;
    }
    current_ = selected != CB_ERR ? wanted : 0;
    (void)SendMessageA(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void DriveSelector::OnCommand(WORD code) {
    if (code != CBN_SELENDOK) return;
    const LRESULT index = SendMessageA(hwnd_, CB_GETCURSEL, 0, 0);
    current_ = index == CB_ERR ? 0 : static_cast<char>(SendMessageA(hwnd_, CB_GETITEMDATA, index, 0));
    (void)Raise(kChange);
}

std::string DriveSelector::CurrentDrive() const { return std::string(1, current_ ? current_ : CurrentDirectoryDrive()); }

}  // namespace ui
