// Runs that fail: missing or broken archives, entries that cannot be written,
// names that would leave the destination, data that do not check out, and
// archives whose directory ends before its declared end.
#include <gtest/gtest.h>

#include "services/shell/handle.h"
#include "tests/unpack/fixtures.h"

using namespace fixtures;
using unpack::Failure;

namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

TEST(Faults, MissingArchive) {
    for (const char* archive : {"missing.zip", ""}) {
        Sandbox box;
        Recorder recorder;
        unpack::FailureInfo failure;
        EXPECT_EQ(recorder.Run(*archive ? box / archive : std::string(), box / "out", &failure), -1);
        EXPECT_EQ(recorder.percents(), std::vector<int32_t>{0});
        EXPECT_EQ(recorder.reports[0].entry, "");
        EXPECT_FALSE(Exists(box / "out"));
        EXPECT_EQ(failure.kind, Failure::ArchiveMissing);
    }
}

TEST(Faults, NoArchiveAtThePath) {
    Sandbox box;
    WriteZip(box / "good.zip", {File("a.txt", "x")});
    const Bytes good = ReadBytes(box / "good.zip");
    auto patched = [&](std::size_t at, unsigned char value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    Bytes truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(ReadLayout(good).central[0]));
    const struct {
        const char* what;
        Bytes bytes;
    } cases[] = {
        {"shorter than 32 bytes", Bytes(good.begin(), good.begin() + 31)},
        {"no local header first", patched(2, 0x05)},
        {"bytes 24..27 below 1", [&] {
             Bytes b = good;
             Put32(b, 24, 0);
             return b;
         }()},
        {"central directory lost", truncated},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(box / "bad.zip", c.bytes);
        Recorder recorder;
        unpack::FailureInfo failure;
        EXPECT_EQ(recorder.Run(box / "bad.zip", box / "out", &failure), 0);
        EXPECT_EQ(recorder.percents(), std::vector<int32_t>{0});
        EXPECT_EQ(failure.kind, Failure::NotAnArchive);
        EXPECT_TRUE(Exists(box / "out"));
        EXPECT_TRUE(ListTree(box / "out").empty());
    }
    Recorder recorder;
    EXPECT_EQ(recorder.Run(box.root(), box / "out"), 0) << "a folder at the archive path";
}

TEST(Faults, DestinationCannotBeMade) {
    Sandbox box;
    WriteZip(box / "a.zip", {File("a.txt", "x")});
    Recorder recorder;
    unpack::FailureInfo failure;
    EXPECT_EQ(recorder.Run(box / "a.zip", "Q:\\nowhere\\out", &failure), 0);
    EXPECT_EQ(recorder.percents(), std::vector<int32_t>{0});
    EXPECT_EQ(failure.kind, Failure::FolderNotMade);
}

// Two entries: a good one, then the one under test. A failing second entry
// leaves the first, reports 0 and 100, and ends with result 0.
struct SecondEntryCase {
    const char* what;
    Entry entry;
    Failure failure;
};

void ExpectSecondEntryFails(const SecondEntryCase& c, const std::string& archive, Sandbox& box) {
    Recorder recorder;
    unpack::FailureInfo failure;
    EXPECT_EQ(recorder.Run(archive, box / "out", &failure), 0);
    EXPECT_EQ(recorder.percents(), (std::vector<int32_t>{0, 100}));
    EXPECT_EQ(recorder.reports.back().entry, box / "out\\ok.txt");
    EXPECT_EQ(failure.kind, c.failure);
    EXPECT_EQ(ReadText(box / "out\\ok.txt"), "ok");
}

TEST(Faults, EntriesThatCannotBeWrittenOrNamed) {
    Entry notAnsi = File(Utf8(u8"한.txt"), "x");
    notAnsi.flags = kUtf8Flag;
    Entry badUtf8 = File("\xC3\x28.txt", "x");
    badUtf8.flags = kUtf8Flag;
    const SecondEntryCase cases[] = {
        {"file without its folder", File("data/a.txt", "a"), Failure::FileNotWritten},
        {"name ending in / without folder attributes", File("dir/", ""), Failure::FileNotWritten},
        {"folder with an impossible name", Folder("bad*name/"), Failure::FolderNotMade},
        {"stored name of 260 bytes", File(std::string(260, 'n'), "x"), Failure::UnsafeName},
        {"UTF-8 name with no ANSI form", notAnsi, Failure::UnsafeName},
        {"invalid UTF-8 name", badUtf8, Failure::UnsafeName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox box;
        WriteZip(box / "a.zip", {File("ok.txt", "ok"), c.entry});
        ExpectSecondEntryFails(c, box / "a.zip", box);
        EXPECT_EQ(ListTree(box / "out"), std::vector<std::string>{"ok.txt"});
    }
}

TEST(Faults, FileInUseIsNotReplaced) {
    Sandbox box;
    ASSERT_TRUE(CreateDirectoryA((box / "out").c_str(), nullptr));
    WriteBytes(box / "out\\busy.txt", Bytes{'o', 'l', 'd'});
    UniqueFileHandle busy(
        CreateFileA((box / "out\\busy.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(busy);
    WriteZip(box / "a.zip", {File("ok.txt", "ok"), File("busy.txt", "new")});
    ExpectSecondEntryFails({"busy", {}, Failure::FileNotWritten}, box / "a.zip", box);
    busy.reset();
    EXPECT_EQ(ReadText(box / "out\\busy.txt"), "old");
}

TEST(Faults, NamesThatLeaveTheDestinationAreRefused) {
    const char* names[] = {"../evil.txt", "a/../../evil.txt", "/evil.txt", "\\evil.txt", "C:evil.txt",
                           "c:/evil.txt", ".. /evil.txt", ".../evil.txt", "ok.txt:stream", "a/..",
                           "\\\\server\\share\\evil.txt"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        Sandbox box;
        WriteZip(box / "a.zip", {File("ok.txt", "ok"), File(name, "evil")});
        ExpectSecondEntryFails({name, {}, Failure::UnsafeName}, box / "a.zip", box);
        EXPECT_EQ(ListTree(box.root()), (std::vector<std::string>{"a.zip", "out\\", "out\\ok.txt"}));
        EXPECT_FALSE(Exists("C:\\evil.txt"));
    }
}

TEST(Faults, NamesThatStayInsideAreKept) {
    Sandbox box;
    WriteZip(box / "a.zip", {Folder("a/"), File("a/..b.txt", "1"), File("a/b..txt", "2"), File("./c.txt", "3")});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    EXPECT_EQ(ListTree(box / "out"), (std::vector<std::string>{"a\\", "a\\..b.txt", "a\\b..txt", "c.txt"}));
}

TEST(Faults, DestinationPathMustFitMaxPath) {
    Sandbox box;
    const std::string destination = box / std::string(150, 'd');
    const std::size_t room = MAX_PATH - 1 - (destination.size() + 1);  // longest name that fits
    WriteZip(box / "a.zip", {File(std::string(room, 'f'), "fits"), File(std::string(room + 1, 'g'), "too long")});
    Recorder recorder;
    unpack::FailureInfo failure;
    EXPECT_EQ(recorder.Run(box / "a.zip", destination, &failure), 0);
    EXPECT_EQ(failure.kind, Failure::UnsafeName);
    EXPECT_EQ(ListTree(destination), std::vector<std::string>{std::string(room, 'f')});
}

TEST(Faults, DataThatDoNotCheckOut) {
    Sandbox box;
    Entry deflated = File("bad.txt", std::string(50000, 'q') + "tail");
    deflated.external = 0;  // read-only, as archives from MS-DOS or Windows have it
    Entry stored = deflated;
    stored.deflate = false;
    WriteZip(box / "deflated.zip", {File("ok.txt", "ok"), deflated});
    WriteZip(box / "stored.zip", {File("ok.txt", "ok"), stored});
    const Bytes deflatedZip = ReadBytes(box / "deflated.zip"), storedZip = ReadBytes(box / "stored.zip");

    // Changes the second entry's CRC-32 or uncompressed size in both its headers.
    auto both = [](Bytes zip, std::size_t local, std::size_t central, uint32_t delta) {
        const Layout layout = ReadLayout(zip);
        Put32(zip, layout.local[1] + local, Get32(zip, layout.local[1] + local) + delta);
        Put32(zip, layout.central[1] + central, Get32(zip, layout.central[1] + central) + delta);
        return zip;
    };
    const struct {
        const char* what;
        Bytes zip;
    } cases[] = {
        {"CRC-32 mismatch, deflated", both(deflatedZip, 14, 16, 1)},
        {"CRC-32 mismatch, stored", both(storedZip, 14, 16, 1)},
        {"declared size longer than the data, deflated", both(deflatedZip, 22, 24, 100)},
        {"declared size longer than the data, stored", both(storedZip, 22, 24, 100)},
        {"corrupt deflate stream", [&] {
             Bytes b = deflatedZip;
             const std::size_t data = ReadLayout(b).local[1] + 30 + 7;
             b[data] ^= 0xFF;
             b[data + 1] ^= 0xFF;
             return b;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(box / "bad.zip", c.zip);
        ExpectSecondEntryFails({c.what, {}, Failure::DataCorrupt}, box / "bad.zip", box);
        // The part written stays, with the entry's own attributes and no times.
        EXPECT_NE(GetFileAttributesA((box / "out\\bad.txt").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
        RemoveTree(box / "out");
    }
}

TEST(Faults, FewerReadableEntriesThanDeclared) {
    Sandbox box;
    WriteZip(box / "good.zip", {File("a.txt", "a"), File("b.txt", "b"), File("c.txt", "c")});
    const Bytes good = ReadBytes(box / "good.zip");
    const Layout layout = ReadLayout(good);
    auto patch16 = [&](std::vector<std::pair<std::size_t, uint16_t>> writes) {
        Bytes b = good;
        for (auto [at, value] : writes) Put16(b, at, value);
        return b;
    };
    const struct {
        const char* what;
        Bytes zip;
        std::vector<int32_t> percents;
        std::vector<std::string> files;
    } cases[] = {
        {"bad central record", patch16({{layout.central[1], 0x4B51}}), {0, 100}, {"a.txt"}},
        {"method other than stored or deflated", patch16({{layout.local[1] + 8, 12}, {layout.central[1] + 10, 12}}),
         {0, 100}, {"a.txt"}},
        {"local header disagrees", patch16({{layout.local[2] + 26, 6}}), {0, 50, 100}, {"a.txt", "b.txt"}},
        {"local header signature", patch16({{layout.local[1], 0x4B51}}), {0, 100}, {"a.txt"}},
        {"first entry unreadable", patch16({{layout.local[0] + 8, 14}, {layout.central[0] + 10, 14}}), {0}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(box / "bad.zip", c.zip);
        Recorder recorder;
        unpack::FailureInfo failure;
        EXPECT_EQ(recorder.Run(box / "bad.zip", box / "out", &failure), 0);
        EXPECT_EQ(recorder.percents(), c.percents);
        EXPECT_EQ(failure.kind, Failure::EntryUnreadable);
        EXPECT_EQ(ListTree(box / "out"), c.files);
        RemoveTree(box / "out");
    }
}

}  // namespace
