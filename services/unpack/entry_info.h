#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "services/unpack/archive.h"
#include "services/unpack/entry_times.h"

namespace unpack {

// What is read for one entry from its central-directory record and its local header.
struct EntryInfo {
    std::string name;           // the stored name, unchanged; empty when nameTooLong
    bool nameTooLong = false;   // 260 bytes or more: never used
    bool utf8Name = false;      // general-purpose flag bit 11: the name is UTF-8
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    EntryTimes times;
    uint64_t uncompressedSize = 0;  // from the central record: what the data must come to

    bool IsFolder() const { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
};

// Windows attributes from the external attributes (MS-DOS low half, Unix mode high half).
DWORD DeriveAttributes(uint32_t external);

// Moves to entry index (the first when index is 0, else the one after the
// current entry) and reads its information. Empty when the entries are
// exhausted or the entry cannot be read: a bad central record, a method other
// than stored or deflated, a local header that is unreadable or disagrees.
std::optional<EntryInfo> ReadEntryInfo(unzFile archive, uint32_t index);

}  // namespace unpack
