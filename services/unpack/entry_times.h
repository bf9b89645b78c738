#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace unpack {

struct EntryTimes {
    FILETIME creation{};
    FILETIME lastAccess{};
    FILETIME lastWrite{};
};

// The MS-DOS date and time (date in the high half), taken as UTC, replaced by
// each time the extended-timestamp ("UT") sub-field of the local extra field holds.
EntryTimes ReadEntryTimes(uint32_t dosDateTime, const std::vector<unsigned char>& localExtra);

}  // namespace unpack
