#pragma once
#include <string>

#include "services/unpack/entry_info.h"

namespace unpack {

struct EntryPath {
    std::string path;     // destination + "\" + the name with "/" made "\"
    bool usable = false;  // false: outside the destination, too long, or no ANSI form
};

EntryPath FormEntryPath(const std::string& destination, const EntryInfo& entry);

}  // namespace unpack
