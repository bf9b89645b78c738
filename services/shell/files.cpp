#include "services/shell/handle.h"
#include "services/shell/shell.h"

namespace shell {

bool PathExists(const std::string& path) {
    WIN32_FIND_DATAA found;
    const UniqueFindHandle search(FindFirstFileA(path.c_str(), &found));
    return static_cast<bool>(search);
}

bool CreateFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

}  // namespace shell
