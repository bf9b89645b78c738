// What one entry becomes on disk: folders, files, names in code page 936,
// attributes and times.
#include <gtest/gtest.h>

#include "services/shell/handle.h"
#include "services/unpack/entry_info.h"
#include "tests/unpack/fixtures.h"

using namespace fixtures;

namespace {

constexpr int64_t kUnixEpochTicks = 116444736000000000LL;
constexpr int64_t kTicksPerSecond = 10000000LL;
constexpr int64_t kDosTimeUnix = 1623752430;  // kDosTime: 2021-06-15 10:20:30, as UTC

int64_t UnixSeconds(const FILETIME& time) {
    const int64_t ticks = static_cast<int64_t>(static_cast<uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    return (ticks - kUnixEpochTicks) / kTicksPerSecond;
}

struct Times {
    int64_t access;
    int64_t write;
};

Times ReadTimes(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    FILETIME creation{}, access{}, write{};
    EXPECT_TRUE(file && GetFileTime(file.get(), &creation, &access, &write)) << path;
    return {UnixSeconds(access), UnixSeconds(write)};
}

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(Entries, FoldersAndFiles) {
    Sandbox box;
    WriteZip(box / "a.zip", {Folder("data/"), Folder("data/deep/"), File("data/deep/a.txt", std::string(100000, 'z')),
                             File("top.bin", "stored"), File("empty.txt", "")});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out\\new"), 1);
    EXPECT_EQ(ListTree(box / "out\\new"), (std::vector<std::string>{"data\\", "data\\deep\\", "data\\deep\\a.txt",
                                                                     "empty.txt", "top.bin"}));
    EXPECT_EQ(ReadText(box / "out\\new\\data\\deep\\a.txt"), std::string(100000, 'z'));
    EXPECT_EQ(ReadText(box / "out\\new\\top.bin"), "stored");
    EXPECT_EQ(ReadText(box / "out\\new\\empty.txt"), "");
}

TEST(Entries, StoredEntriesAreCopied) {
    Sandbox box;
    Entry stored = File("s.txt", std::string(40000, 's'));
    stored.deflate = false;
    WriteZip(box / "a.zip", {stored});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    EXPECT_EQ(ReadText(box / "out\\s.txt"), stored.data);
}

TEST(Entries, ExistingProtectedFilesAreReplacedAndEveryFileEndsNormal) {
    Sandbox box;
    const struct {
        const char* name;
        DWORD before;
        uint32_t external;
    } cases[] = {
        {"ro.txt", FILE_ATTRIBUTE_READONLY, 0x01},
        {"hidden.txt", FILE_ATTRIBUTE_HIDDEN, 0x02},
        {"system.txt", FILE_ATTRIBUTE_SYSTEM, 0x04},
        {"all.txt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0x27},
        {"new.txt", 0, 0x00},
    };
    ASSERT_TRUE(CreateDirectoryA((box / "out").c_str(), nullptr));
    std::vector<Entry> entries;
    for (const auto& c : cases) {
        if (c.before) {
            WriteBytes(box / "out\\" + c.name, Bytes{'o', 'l', 'd'});
            ASSERT_TRUE(SetFileAttributesA((box / "out\\" + c.name).c_str(), c.before));
            ASSERT_EQ(GetFileAttributesA((box / "out\\" + c.name).c_str()) & c.before, c.before) << c.name;
        }
        Entry e = File(c.name, std::string("new ") + c.name);
        e.external = c.external;
        entries.push_back(e);
    }
    WriteZip(box / "a.zip", entries);
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    for (const auto& c : cases) {
        const std::string path = box / "out\\" + c.name;
        EXPECT_EQ(ReadText(path), std::string("new ") + c.name);
        EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), 0u)
            << c.name;
    }
}

TEST(Entries, DerivedAttributes) {
    const struct {
        uint32_t external;
        DWORD attributes;
    } cases[] = {
        {0x00000000, 0x81},                 // no Unix mode: read-only
        {0x81A40000, 0x80},                 // rw-r--r--
        {0x81240000, 0x81},                 // r--r--r--
        {0x81A40001, 0x81},                 // MS-DOS read-only wins
        {0x00000010, 0x91},                 // MS-DOS folder
        {0x41ED0000, 0x90},                 // Unix folder rwxr-xr-x
        {0x81A40020, 0xA0},                 // archive
        {0x81A40002, 0x82},                 // hidden
        {0x81A40004, 0x84},                 // system
        {0x41ED0036, 0xB6},                 // folder, archive, hidden, system
    };
    for (const auto& c : cases) EXPECT_EQ(unpack::DeriveAttributes(c.external), c.attributes) << std::hex << c.external;
}

TEST(Entries, Times) {
    const int32_t t1 = 1000000000, t2 = 1100000000, t3 = 1200000000;
    const Bytes unknownField = {0x0A, 0x00, 0x04, 0x00, 1, 2, 3, 4};
    const struct {
        const char* what;
        Bytes extra;
        Times expected;
    } cases[] = {
        {"MS-DOS time as UTC", {}, {kDosTimeUnix, kDosTimeUnix}},
        {"last-write only", ExtendedTimestamp(1, {t1}), {kDosTimeUnix, t1}},
        {"all three", ExtendedTimestamp(7, {t1, t2, t3}), {t2, t1}},
        {"after another sub-field", [&] {
             Bytes b = unknownField;
             const Bytes ut = ExtendedTimestamp(3, {t1, t2});
             b.insert(b.end(), ut.begin(), ut.end());
             return b;
         }(), {t2, t1}},
        {"flagged times past the end are ignored", ExtendedTimestamp(7, {t1}), {kDosTimeUnix, t1}},
        {"before 1970", ExtendedTimestamp(3, {-86400, -1}), {-1, -86400}},
    };
    Sandbox box;
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Entry e = File(std::string("t") + std::to_string(i), "x");
        e.localExtra = cases[i].extra;
        entries.push_back(e);
    }
    WriteZip(box / "a.zip", entries);
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Times times = ReadTimes(box / std::string("out\\t") + std::to_string(i));
        EXPECT_EQ(times.write, cases[i].expected.write) << cases[i].what;
        EXPECT_EQ(times.access, cases[i].expected.access) << cases[i].what;
    }
}

TEST(Entries, DoubleByteNamesWithBackslashTrailBytes) {
    // 乗 is 81 5C and 誠 is D5 5C in code page 936: their second byte is "\".
    Sandbox box;
    WriteZip(box / "a.zip", {Folder("乗/"), Folder("乗/誠/"), File("乗/誠/表.txt", "gbk")});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "乗"), 1);
    EXPECT_EQ(ListTree(box / "乗"), (std::vector<std::string>{"乗\\", "乗\\誠\\", "乗\\誠\\表.txt"}));
    EXPECT_EQ(recorder.reports[0].entry, box / "乗\\乗\\");
    EXPECT_EQ(ReadText(box / "乗\\乗\\誠\\表.txt"), "gbk");
}

TEST(Entries, Utf8NamesBecomeAnsi) {
    Sandbox box;
    Entry folder = Folder(Utf8(u8"数据/"));
    folder.flags = kUtf8Flag;
    Entry file = File(Utf8(u8"数据/乗.txt"), "utf8");
    file.flags = kUtf8Flag;
    Entry plain = File("数据/表.txt", "ansi");
    WriteZip(box / "a.zip", {folder, file, plain});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    EXPECT_EQ(ReadText(box / "out\\数据\\乗.txt"), "utf8");
    EXPECT_EQ(ReadText(box / "out\\数据\\表.txt"), "ansi");
    EXPECT_EQ(recorder.reports[1].entry, box / "out\\数据\\乗.txt");
}

TEST(Entries, FolderEntryForAnExistingFolderChangesNothing) {
    Sandbox box;
    ASSERT_TRUE(CreateDirectoryA((box / "out").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((box / "out\\data").c_str(), nullptr));
    WriteBytes(box / "out\\data\\keep.txt", Bytes{'k'});
    WriteZip(box / "a.zip", {Folder("data/"), File("data/a.txt", "a")});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    EXPECT_EQ(ListTree(box / "out"), (std::vector<std::string>{"data\\", "data\\a.txt", "data\\keep.txt"}));
}

}  // namespace
