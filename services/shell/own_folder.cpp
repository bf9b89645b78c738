#include "services/shell/separator.h"
#include "services/shell/shell.h"

namespace shell {
namespace {
// Written once by FixOwnFolder before a second thread exists, then only read.
std::string ownFolder;
}  // namespace

void FixOwnFolder() {
    char module[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    // A cut-off path would name some other folder: better none at all.
    if (length == 0 || length >= sizeof module) {
        ownFolder.clear();
        return;
    }
    const std::string path(module, length);
    const auto separator = LastSeparator(path);
    ownFolder = separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string OwnFolder() {
    return ownFolder;
}

}  // namespace shell
