#pragma once
#include <string>

namespace unpack {

// True when a file or folder exists at path.
bool PathExists(const std::string& path);

// Makes folder and every missing folder above it, from the top down.
bool CreateFolderPath(const std::string& folder);

}  // namespace unpack
