#pragma once
#include <minizip/ioapi.h>

namespace unpack {

// minizip's file functions over one CreateFileA handle (GENERIC_READ,
// FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL), read through a
// buffer: minizip reads its headers a byte or two at a time, and one ReadFile
// for each would cost more than unpacking a small entry.
zlib_filefunc64_def BufferedArchiveFile();

}  // namespace unpack
