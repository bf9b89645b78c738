#include "services/unpack/write_entry.h"

#include <array>

#include "services/shell/handle.h"

namespace unpack {

namespace {

// Copies the entry's data to file, 16 KB at a time.
Failure CopyData(unzFile archive, const EntryInfo& entry, HANDLE file) {
    std::array<char, 16384> buffer;
    uint64_t written = 0;
    for (;;) {
        const int read = unzReadCurrentFile(archive, buffer.data(), buffer.size());
        if (read < 0) return Failure::DataCorrupt;
        if (read == 0) break;
        DWORD wrote = 0;
        if (!WriteFile(file, buffer.data(), static_cast<DWORD>(read), &wrote, nullptr) ||
            wrote != static_cast<DWORD>(read))
            return Failure::FileNotWritten;
        written += static_cast<uint64_t>(read);
    }
    // minizip compares the CRC-32 only when the data came to their full size.
    return written == entry.uncompressedSize ? Failure::None : Failure::DataCorrupt;
}

}  // namespace

Failure WriteFileEntry(unzFile archive, const EntryInfo& entry, const std::string& path) {
    UniqueFileHandle file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, entry.attributes, nullptr));
    if (!file) return Failure::FileNotWritten;
    if (unzOpenCurrentFile(archive) != UNZ_OK) return Failure::DataCorrupt;
    Failure fault = CopyData(archive, entry, file.get());
    if (unzCloseCurrentFile(archive) == UNZ_CRCERROR && fault == Failure::None) fault = Failure::DataCorrupt;
    if (fault == Failure::None && GetFileType(file.get()) == FILE_TYPE_DISK) {
        const EntryTimes& t = entry.times;
        (void)SetFileTime(file.get(), &t.creation, &t.lastAccess, &t.lastWrite);
    }
    return fault;
}

}  // namespace unpack
