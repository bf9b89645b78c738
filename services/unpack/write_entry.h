#pragma once
#include <string>

#include "services/unpack/entry_info.h"
#include "services/unpack/unpack.h"

namespace unpack {

// Writes the current entry of archive to path with the entry's attributes,
// then its times. Failure::None, FileNotWritten (not created or a write
// failed) or DataCorrupt (data unreadable, cut short or failing their CRC-32);
// after a failure the part written stays, without times.
Failure WriteFileEntry(unzFile archive, const EntryInfo& entry, const std::string& path);

}  // namespace unpack
