#include "services/unpack/archive_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "services/shell/handle.h"

namespace unpack {

namespace {

constexpr std::size_t kBufferSize = 65536;

struct Stream {
    UniqueFileHandle file;
    uint64_t size = 0;
    uint64_t position = 0;                     // where the next read starts
    std::vector<unsigned char> buffer = std::vector<unsigned char>(kBufferSize);
    uint64_t bufferStart = 0;                  // file offset of buffer[0]
    std::size_t bufferLength = 0;
    bool failed = false;

    // Reads up to length bytes at offset straight from the file.
    std::size_t ReadAt(uint64_t offset, unsigned char* to, std::size_t length) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        DWORD read = 0;
        if (!SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
            !ReadFile(file.get(), to, static_cast<DWORD>(length), &read, nullptr)) {
            failed = true;
            return 0;
        }
        return read;
    }
};

voidpf ZCALLBACK Open(voidpf, const void* name, int mode) {
    if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
    auto stream = std::make_unique<Stream>();
    stream->file.reset(CreateFileA(static_cast<const char*>(name), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!stream->file || !GetFileSizeEx(stream->file.get(), &size)) return nullptr;
    stream->size = static_cast<uint64_t>(size.QuadPart);
    return stream.release();
}

uLong ZCALLBACK Read(voidpf, voidpf opaque, void* to, uLong length) {
    Stream& s = *static_cast<Stream*>(opaque);
    auto* out = static_cast<unsigned char*>(to);
    std::size_t done = 0;
    while (done < length) {
        const bool buffered = s.position >= s.bufferStart && s.position < s.bufferStart + s.bufferLength;
        if (!buffered) {
            if (length - done >= kBufferSize) {  // large reads bypass the buffer
                const std::size_t read = s.ReadAt(s.position, out + done, length - done);
                done += read;
                s.position += read;
                break;
            }
            s.bufferStart = s.position;
            s.bufferLength = s.ReadAt(s.position, s.buffer.data(), kBufferSize);
            if (s.bufferLength == 0) break;
        }
        const std::size_t offset = static_cast<std::size_t>(s.position - s.bufferStart);
        const std::size_t take = std::min<std::size_t>(length - done, s.bufferLength - offset);
        std::memcpy(out + done, s.buffer.data() + offset, take);
        done += take;
        s.position += take;
    }
    return static_cast<uLong>(done);
}

uLong ZCALLBACK Write(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK Tell(voidpf, voidpf opaque) { return static_cast<Stream*>(opaque)->position; }

long ZCALLBACK Seek(voidpf, voidpf opaque, ZPOS64_T offset, int origin) {
    Stream& s = *static_cast<Stream*>(opaque);
    const uint64_t base = origin == ZLIB_FILEFUNC_SEEK_SET ? 0 : origin == ZLIB_FILEFUNC_SEEK_CUR ? s.position : s.size;
    s.position = base + offset;
    return 0;
}

int ZCALLBACK Close(voidpf, voidpf opaque) {
    std::unique_ptr<Stream> owned(static_cast<Stream*>(opaque));
    return 0;
}

int ZCALLBACK Error(voidpf, voidpf opaque) { return static_cast<Stream*>(opaque)->failed ? 1 : 0; }

}  // namespace

zlib_filefunc64_def BufferedArchiveFile() {
    return zlib_filefunc64_def{Open, Read, Write, Tell, Seek, Close, Error, nullptr};
}

}  // namespace unpack
