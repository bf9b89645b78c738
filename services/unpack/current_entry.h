#pragma once
#include <string>

namespace unpack {

// Replaces the process-wide current-entry text (made at every report).
void SetCurrentEntry(const std::string& path);

}  // namespace unpack
