#include <shlobj.h>

#include <iterator>

#include "services/shell/separator.h"
#include "services/shell/shell.h"

namespace shell {
namespace {

// CSIDL of folder numbers 1..8.
constexpr int kShellFolders[] = {
    CSIDL_PERSONAL, CSIDL_FAVORITES, CSIDL_DESKTOPDIRECTORY, CSIDL_FONTS,
    CSIDL_STARTMENU, CSIDL_PROGRAMS, CSIDL_STARTUP, CSIDL_APPDATA,
};
constexpr int kLastShellFolder = static_cast<int>(std::size(kShellFolders));

// The functions of numbers 9..11 give the length, 0 on failure and the needed
// size when the path does not fit; only a path that fits counts.
bool Fits(UINT length, DWORD size) {
    return length != 0 && length < size;
}

}  // namespace

std::string SpecialFolder(int number) {
    char buffer[MAX_PATH] = "";
    bool found = false;
    if (number >= 1 && number <= kLastShellFolder) {
        found = SHGetSpecialFolderPathA(nullptr, buffer, kShellFolders[number - 1], FALSE) != FALSE;
    } else if (number == 9) {
        found = Fits(GetWindowsDirectoryA(buffer, sizeof buffer), sizeof buffer);
    } else if (number == 10) {
        found = Fits(GetSystemDirectoryA(buffer, sizeof buffer), sizeof buffer);
    } else if (number == 11) {
        found = Fits(GetTempPathA(sizeof buffer, buffer), sizeof buffer);
    }
    if (!found) return std::string();

    std::string path(buffer);
    if (!path.empty() && LastSeparator(path) != path.size() - 1) {
        // The result must still fit a MAX_PATH buffer with its terminator.
        if (path.size() + 1 >= sizeof buffer) return std::string();
        path += '\\';
    }
    return path;
}

}  // namespace shell
