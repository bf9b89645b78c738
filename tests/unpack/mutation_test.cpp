// Damaged archives: small valid archives with seeded damage to headers, data,
// sizes, name lengths and offsets. Every run must end, in time, with a result
// of 1, 0 or -1, and write nothing outside its destination folder.
// TOLVANE_MUTATIONS sets the number of runs (default 400), TOLVANE_MUTATION_SEED the first seed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "tests/unpack/fixtures.h"

using namespace fixtures;

namespace {

constexpr ULONGLONG kRunBoundMs = 5000;

unsigned EnvNumber(const char* name, unsigned fallback) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<unsigned>(std::strtoul(value, nullptr, 10)) : fallback;
}

std::vector<std::vector<Entry>> BaseArchives() {
    std::mt19937 random(7);
    std::string noise(700, '\0');
    for (char& c : noise) c = static_cast<char>(random());
    std::string text;
    for (int i = 0; i < 300; ++i) text += std::string("line ") + std::to_string(i) + "\n";
    Entry stamped = File("d/t.txt", "time");
    stamped.localExtra = ExtendedTimestamp(7, {1, 2, 3});
    Entry utf8 = File(reinterpret_cast<const char*>(u8"d/数.txt"), "u");
    utf8.flags = kUtf8Flag;
    Entry stored = File("s.bin", noise);
    stored.deflate = false;
    std::vector<Entry> many;
    for (int i = 0; i < 12; ++i) many.push_back(File(std::string("m") + std::to_string(i), text.substr(0, 40 * i)));
    return {
        {Folder("d/"), File("d/a.txt", text), stored, stamped, utf8},
        {stored},
        many,
    };
}

// The ranges of an archive's headers, where damage matters most.
std::vector<std::pair<std::size_t, std::size_t>> HeaderRanges(const Bytes& zip, const Layout& layout) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges = {{layout.end, 22}};
    for (std::size_t i = 0; i < layout.central.size(); ++i) {
        ranges.push_back({layout.central[i], 46 + Get16(zip, layout.central[i] + 28)});
        ranges.push_back({layout.local[i], 30 + Get16(zip, layout.local[i] + 26)});
    }
    return ranges;
}

const char* const kTraversals[] = {"../../", "..\\..\\", "/", "\\", "C:", "c:\\", "..", ".. /", "\\\\"};

// One to three kinds of damage, chosen by the seed.
Bytes Mutate(Bytes zip, std::mt19937& random) {
    const Layout layout = ReadLayout(zip);
    const auto ranges = HeaderRanges(zip, layout);
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const std::size_t entry = pick(layout.central.size());
    const uint32_t values[] = {0, 1, 0x7FFFFFFF, 0xFFFFFFFF, static_cast<uint32_t>(zip.size()),
                               static_cast<uint32_t>(random())};
    const std::size_t kinds = 1 + pick(3);
    for (std::size_t k = 0; k < kinds && !zip.empty(); ++k) {
        switch (pick(8)) {
            case 0: {  // bit flips in a header
                const auto [start, length] = ranges[pick(ranges.size())];
                for (std::size_t n = 1 + pick(4); n-- > 0;) zip[std::min(start + pick(length), zip.size() - 1)] ^= 1u << pick(8);
                break;
            }
            case 1:  // bit flips anywhere, data included
                for (std::size_t n = 1 + pick(8); n-- > 0;) zip[pick(zip.size())] ^= 1u << pick(8);
                break;
            case 2:  // cut short
                zip.resize(pick(zip.size()));
                return zip;
            case 3:  // sizes: central compressed/uncompressed, local compressed/uncompressed
                Put32(zip, pick(2) ? layout.central[entry] + 20 + 4 * pick(2) : layout.local[entry] + 18 + 4 * pick(2),
                      values[pick(std::size(values))]);
                break;
            case 4:  // name or extra-field lengths
                Put16(zip, pick(2) ? layout.central[entry] + 28 + 2 * pick(3) : layout.local[entry] + 26 + 2 * pick(2),
                      static_cast<uint16_t>(values[pick(std::size(values))] ^ random()));
                break;
            case 5:  // offsets: an entry's local header, the directory's place or size
                Put32(zip, pick(2) ? layout.central[entry] + 42 : layout.end + 12 + 4 * pick(2),
                      values[pick(std::size(values))]);
                break;
            case 6:  // entry counts
                Put16(zip, layout.end + 8 + 2 * pick(2), static_cast<uint16_t>(pick(20)));
                break;
            default: {  // a name that climbs out, in both headers, same length
                const std::string traversal = kTraversals[pick(std::size(kTraversals))];
                const std::size_t length = Get16(zip, layout.central[entry] + 28);
                for (std::size_t i = 0; i < length && i < traversal.size(); ++i) {
                    zip[layout.central[entry] + 46 + i] = static_cast<unsigned char>(traversal[i]);
                    zip[layout.local[entry] + 30 + i] = static_cast<unsigned char>(traversal[i]);
                }
            }
        }
    }
    return zip;
}

// The names directly in folder, but the sandboxes of tests that run alongside.
std::vector<std::string> ListFolder(const std::string& folder) {
    std::vector<std::string> top;
    for (const std::string& name : ListTree(folder))
        if ((name.find('\\') == std::string::npos || name.find('\\') + 1 == name.size()) && name.rfind("unpack-", 0) != 0)
            top.push_back(name);
    return top;
}

TEST(Mutations, DamagedArchivesEndInTimeAndStayInside) {
    const unsigned runs = EnvNumber("TOLVANE_MUTATIONS", 400);
    const unsigned firstSeed = EnvNumber("TOLVANE_MUTATION_SEED", 1);
    Sandbox box;
    std::vector<Bytes> bases;
    for (const auto& entries : BaseArchives()) {
        WriteZip(box / "base.zip", entries);
        bases.push_back(ReadBytes(box / "base.zip"));
    }
    RemoveTree(box / "base.zip");
    char temp[MAX_PATH];
    (void)GetTempPathA(sizeof temp, temp);
    const std::vector<std::string> driveBefore = ListFolder("C:"), tempBefore = ListFolder(std::string(temp) + ".");
    const std::string work = box / "run";
    int results[3] = {};
    int kinds[8] = {};
    Recorder recorder;

    for (unsigned seed = firstSeed; seed < firstSeed + runs; ++seed) {
        SCOPED_TRACE(std::string("seed ") + std::to_string(seed));
        std::mt19937 random(seed);
        ASSERT_TRUE(CreateDirectoryA(work.c_str(), nullptr));
        WriteBytes(work + "\\a.zip", Mutate(bases[seed % bases.size()], random));
        const ULONGLONG start = GetTickCount64();
        unpack::FailureInfo failure;
        const int result = recorder.Run(work + "\\a.zip", work + "\\out", &failure);
        EXPECT_LT(GetTickCount64() - start, kRunBoundMs);
        ASSERT_TRUE(result == 1 || result == 0 || result == -1) << result;
        ++results[result + 1];
        ++kinds[static_cast<int>(failure.kind)];
        ASSERT_FALSE(recorder.reports.empty());
        for (const Report& r : recorder.reports) EXPECT_TRUE(r.percent >= 0 && r.percent <= 100) << r.percent;
        EXPECT_EQ(ListFolder(work), (std::vector<std::string>{"a.zip", "out\\"}));
        ASSERT_EQ(ListFolder(box.root()), std::vector<std::string>{"run\\"});
        RemoveTree(work);
    }
    EXPECT_EQ(ListFolder("C:"), driveBefore);
    EXPECT_EQ(ListFolder(std::string(temp) + "."), tempBefore);
    std::printf("%u runs: result 1: %d, 0: %d, -1: %d\nfailure kinds (None, ArchiveMissing, FolderNotMade, "
                "NotAnArchive, EntryUnreadable, UnsafeName, FileNotWritten, DataCorrupt):",
                runs, results[2], results[1], results[0]);
    for (int count : kinds) std::printf(" %d", count);
    std::printf("\n");
}

}  // namespace
