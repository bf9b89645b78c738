#include "services/unpack/folder_path.h"

#include "services/unpack/ansi_chars.h"

namespace unpack {

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CreateFolderPath(const std::string& folder) {
    std::string path = folder;
    if (!EndsWithBackslash(path)) path += '\\';
    // Every level is tested, the drive's root included, so a missing drive fails at once.
    for (std::size_t i = 0; i < path.size(); i += CharLength(path, i)) {
        if (path[i] != '\\') continue;
        std::string level = path.substr(0, i + 1);
        if (!PathExists(level) && !CreateDirectoryA(level.c_str(), nullptr)) return false;
    }
    return true;
}

}  // namespace unpack
