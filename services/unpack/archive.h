#pragma once
// The archive file as minizip reads it.
#include <minizip/unzip.h>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace unpack {

struct CloseArchive {
    void operator()(unzFile archive) const { (void)unzClose(archive); }
};
using Archive = std::unique_ptr<std::remove_pointer_t<unzFile>, CloseArchive>;

// The quick test before the archive is opened: 32 bytes that begin with a
// local file header whose bytes 24..27 (signed) are at least 1.
bool PassesArchiveTest(const std::string& path);

// Opens the archive with shared read access and reads its central directory;
// empty when the file cannot be opened or the directory is missing or inconsistent.
Archive OpenArchive(const std::string& path);

// The number of entries the end-of-central-directory record declares.
uint64_t DeclaredEntryCount(unzFile archive);

}  // namespace unpack
