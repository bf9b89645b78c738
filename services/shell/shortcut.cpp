#include <objidl.h>
#include <shlobj.h>

#include "services/shell/com_ptr.h"
#include "services/shell/separator.h"
#include "services/shell/shell.h"

namespace shell {
namespace {

// ".lnk" goes on only when the last part of the path has no "." of its own;
// a "." in a folder's name does not count.
std::string ShortcutFileName(const std::string& linkPath) {
    const auto separator = LastSeparator(linkPath);
    const auto lastPart = separator == std::string::npos ? 0 : separator + 1;
    if (linkPath.find('.', lastPart) != std::string::npos) return linkPath;
    return linkPath + ".lnk";
}

}  // namespace

bool CreateShortcut(const std::string& linkPath, const std::string& target,
                    const std::optional<std::string>& description,
                    const std::optional<std::string>& arguments,
                    const std::optional<std::string>& workingFolder) {
    const std::string fileName = ShortcutFileName(linkPath);
    // The file name must fit MAX_PATH with its terminator; a shorter,
    // different name is never written instead.
    if (fileName.size() >= MAX_PATH) return false;

    // Declared before the file interface, so released after it.
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.Out()))) {
        return false;
    }
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, file.Out()))) return false;

    (void)link->SetPath(target.c_str());
    (void)link->SetShowCmd(SW_SHOW);
    if (description) (void)link->SetDescription(description->c_str());
    if (arguments) (void)link->SetArguments(arguments->c_str());
    if (workingFolder) (void)link->SetWorkingDirectory(workingFolder->c_str());

    // At most MAX_PATH bytes with the terminator give at most MAX_PATH UTF-16 units.
    wchar_t wideName[MAX_PATH] = L"";
    (void)MultiByteToWideChar(CP_ACP, 0, fileName.c_str(), -1, wideName, MAX_PATH);
    return SUCCEEDED(file->Save(wideName, TRUE));
}

}  // namespace shell
