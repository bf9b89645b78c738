#include "services/unpack/entry_info.h"

#include <array>
#include <vector>

namespace unpack {

namespace {

constexpr uint32_t kUtf8NameFlag = 1u << 11;

// The local header is checked against the central record by minizip's open;
// its extra field carries the extended timestamps.
std::optional<std::vector<unsigned char>> ReadLocalExtra(unzFile archive) {
    if (unzOpenCurrentFile(archive) != UNZ_OK) return std::nullopt;
    const int size = unzGetLocalExtrafield(archive, nullptr, 0);
    std::vector<unsigned char> extra(size > 0 ? static_cast<std::size_t>(size) : 0);
    const bool read = extra.empty() || unzGetLocalExtrafield(archive, extra.data(), static_cast<unsigned>(size)) == size;
    (void)unzCloseCurrentFile(archive);
    if (!read) return std::nullopt;
    return extra;
}

}  // namespace

DWORD DeriveAttributes(uint32_t external) {
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (external & (1u << 4 | 1u << 30)) attributes = FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_DIRECTORY;
    if (external & (1u << 5)) attributes |= FILE_ATTRIBUTE_ARCHIVE;
    if (external & (1u << 1)) attributes |= FILE_ATTRIBUTE_HIDDEN;
    if (!(external & (1u << 23)) || (external & 1u)) attributes |= FILE_ATTRIBUTE_READONLY;
    if (external & (1u << 2)) attributes |= FILE_ATTRIBUTE_SYSTEM;
    return attributes;
}

std::optional<EntryInfo> ReadEntryInfo(unzFile archive, uint32_t index) {
    if ((index == 0 ? unzGoToFirstFile(archive) : unzGoToNextFile(archive)) != UNZ_OK) return std::nullopt;
    unz_file_info64 record{};
    std::array<char, MAX_PATH> name{};
    if (unzGetCurrentFileInfo64(archive, &record, name.data(), name.size(), nullptr, 0, nullptr, 0) != UNZ_OK)
        return std::nullopt;
    // minizip's own check lets other methods through (read raw); only these two can be unpacked.
    if (record.compression_method != 0 && record.compression_method != Z_DEFLATED) return std::nullopt;
    std::optional<std::vector<unsigned char>> extra = ReadLocalExtra(archive);
    if (!extra) return std::nullopt;

    EntryInfo info;
    info.nameTooLong = record.size_filename >= name.size();
    if (!info.nameTooLong) info.name.assign(name.data(), record.size_filename);
    info.utf8Name = (record.flag & kUtf8NameFlag) != 0;
    info.attributes = DeriveAttributes(static_cast<uint32_t>(record.external_fa));
    info.times = ReadEntryTimes(static_cast<uint32_t>(record.dosDate), *extra);
    info.uncompressedSize = record.uncompressed_size;
    return info;
}

}  // namespace unpack
