#include "services/unpack/entry_times.h"

namespace unpack {

namespace {

uint32_t ReadLittleEndian(const std::vector<unsigned char>& bytes, std::size_t at, std::size_t length) {
    uint32_t value = 0;
    for (std::size_t i = length; i-- > 0;) value = value << 8 | bytes[at + i];
    return value;
}

// Unix seconds (signed, so times before 1970 stay before 1970) as a file time.
FILETIME UnixTimeToFileTime(int32_t seconds) {
    constexpr int64_t kSecondsFrom1601To1970 = 11644473600LL;
    constexpr int64_t kTicksPerSecond = 10000000LL;
    const uint64_t ticks = static_cast<uint64_t>((seconds + kSecondsFrom1601To1970) * kTicksPerSecond);
    FILETIME time{};
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

// Each flagged time replaces its slot; one that would reach past the end of
// the extra field is left out, with the MS-DOS time kept.
void ApplyExtendedTimestamp(const std::vector<unsigned char>& extra, std::size_t data, EntryTimes& times) {
    const unsigned flags = extra[data];
    FILETIME* slots[] = {&times.lastWrite, &times.lastAccess, &times.creation};
    std::size_t at = data + 1;
    for (unsigned bit = 0; bit < 3; ++bit) {
        if (!(flags & (1u << bit))) continue;
        if (at + 4 > extra.size()) return;
        *slots[bit] = UnixTimeToFileTime(static_cast<int32_t>(ReadLittleEndian(extra, at, 4)));
        at += 4;
    }
}

}  // namespace

EntryTimes ReadEntryTimes(uint32_t dosDateTime, const std::vector<unsigned char>& localExtra) {
    FILETIME dos{};
    (void)DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime), &dos);
    EntryTimes times{dos, dos, dos};
    if (localExtra.size() <= 4) return times;
    for (std::size_t at = 0; at + 4 < localExtra.size(); at += 4 + ReadLittleEndian(localExtra, at + 2, 2)) {
        if (localExtra[at] == 'U' && localExtra[at + 1] == 'T') {
            ApplyExtendedTimestamp(localExtra, at + 4, times);
            break;
        }
    }
    return times;
}

}  // namespace unpack
