#pragma once
// Archives, folders and a recording unpacker for the unpacking tests.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "services/unpack/unpack.h"

namespace fixtures {

using Bytes = std::vector<unsigned char>;

constexpr uint32_t kFolder = 0x10;           // MS-DOS folder attribute
constexpr uint32_t kUnixFile = 0x81A40000u;  // regular file, rw-r--r--
constexpr uint16_t kUtf8Flag = 1u << 11;
// 2021-06-15 10:20:30 in MS-DOS form (date in the high half).
constexpr uint32_t kDosTime = (41u << 25 | 6u << 21 | 15u << 16) | (10u << 11 | 20u << 5 | 15u);

struct Entry {
    std::string name;
    std::string data;
    uint32_t external = kUnixFile;
    bool deflate = true;
    Bytes localExtra;
    uint16_t flags = 0;
    uint32_t dosTime = kDosTime;
};

inline Entry Folder(const std::string& name) {
    Entry e;
    e.name = name;
    e.external = kFolder;
    e.deflate = false;
    return e;
}
inline Entry File(const std::string& name, const std::string& data) {
    Entry e;
    e.name = name;
    e.data = data;
    return e;
}

// Writes a ZIP archive with minizip's zip interface.
void WriteZip(const std::string& path, const std::vector<Entry>& entries);

// The places of an archive's records, read from its end-of-central-directory
// record (no archive comment).
struct Layout {
    std::size_t end = 0;
    std::vector<std::size_t> central;
    std::vector<std::size_t> local;
};
Layout ReadLayout(const Bytes& zip);

Bytes ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const Bytes& bytes);
void Put16(Bytes& bytes, std::size_t at, uint16_t value);
void Put32(Bytes& bytes, std::size_t at, uint32_t value);
uint32_t Get32(const Bytes& bytes, std::size_t at);
uint16_t Get16(const Bytes& bytes, std::size_t at);

// An "UT" extended-timestamp sub-field: flags, then the given Unix times.
Bytes ExtendedTimestamp(uint8_t flags, const std::vector<int32_t>& times);

// A fresh folder under the temporary folder, removed with all it holds.
class Sandbox {
public:
    Sandbox();
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;
    const std::string& root() const { return root_; }  // ends without "\"
    std::string operator/(const std::string& name) const { return root_ + "\\" + name; }

private:
    std::string root_;
};

void RemoveTree(const std::string& path);
// Names below folder, relative, "\"-separated, folders with a trailing "\", sorted.
std::vector<std::string> ListTree(const std::string& folder);
std::optional<std::string> ReadText(const std::string& path);
bool Exists(const std::string& path);

struct Report {
    int32_t percent;
    std::string entry;
};

// An unpacker with a live hidden window that records every report; answer
// decides the handler's value at each report (by its number, from 0).
class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    std::function<std::optional<int32_t>(std::size_t report)> answer;
    std::vector<Report> reports;
    HWND window() const { return window_; }
    const unpack::Unpacker& unpacker() const { return unpacker_; }
    std::vector<int32_t> percents() const;
    int Run(const std::string& archive, const std::string& destination, unpack::FailureInfo* failure = nullptr);

private:
    HWND window_;
    unpack::Unpacker unpacker_;
};

}  // namespace fixtures
