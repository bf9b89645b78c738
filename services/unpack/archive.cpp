#include "services/unpack/archive.h"

#include "services/unpack/archive_file.h"

#include <array>
#include <cstdio>

namespace unpack {

bool PassesArchiveTest(const std::string& path) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return false;
    std::array<unsigned char, 32> head{};
    if (std::fread(head.data(), head.size(), 1, file.get()) != 1) return false;
    const bool signature = head[0] == 0x50 && head[1] == 0x4B && head[2] == 0x03 && head[3] == 0x04;
    const int32_t word = static_cast<int32_t>(static_cast<uint32_t>(head[24]) | static_cast<uint32_t>(head[25]) << 8 |
                                              static_cast<uint32_t>(head[26]) << 16 |
                                              static_cast<uint32_t>(head[27]) << 24);
    return signature && word >= 1;
}

Archive OpenArchive(const std::string& path) {
    zlib_filefunc64_def files = BufferedArchiveFile();
    return Archive(unzOpen2_64(path.c_str(), &files));
}

uint64_t DeclaredEntryCount(unzFile archive) {
    unz_global_info64 info{};
    return unzGetGlobalInfo64(archive, &info) == UNZ_OK ? info.number_entry : 0;
}

}  // namespace unpack
