// The progress reports of whole runs: their percents, the current entry, the
// window that must live for events, and a handler's stop request.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "tests/unpack/fixtures.h"

using namespace fixtures;

namespace {

std::vector<Entry> Files(int count) {
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back(File(std::string("f") + std::to_string(i) + ".txt", std::string("data ") + std::to_string(i)));
    return entries;
}

TEST(Reports, PercentsAfterEachEntryThenHundredOnce) {
    struct Case {
        int entries;
        std::vector<std::pair<std::size_t, int32_t>> expected;  // report number, percent
    };
    const Case cases[] = {
        {3, {{0, 0}, {1, 33}, {2, 66}, {3, 100}}},
        {1, {{0, 0}, {1, 100}}},
        {100, {{29, 28}, {57, 56}, {58, 57}, {99, 99}, {100, 100}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entries);
        Sandbox box;
        WriteZip(box / "a.zip", Files(c.entries));
        Recorder recorder;
        ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
        ASSERT_EQ(recorder.reports.size(), static_cast<std::size_t>(c.entries) + 1);
        for (auto [number, percent] : c.expected) EXPECT_EQ(recorder.reports[number].percent, percent) << number;
        for (std::size_t i = 0; i + 1 < recorder.reports.size(); ++i) EXPECT_LT(recorder.reports[i].percent, 100);
        const std::string last = box / std::string("out\\f") + std::to_string(c.entries - 1) + ".txt";
        EXPECT_EQ(recorder.reports.back().entry, last);
        EXPECT_EQ(unpack::CurrentEntry(), last);
        EXPECT_EQ(ListTree(box / "out").size(), static_cast<std::size_t>(c.entries));
    }
}

TEST(Reports, EachReportNamesTheEntryJustUnpacked) {
    Sandbox box;
    WriteZip(box / "a.zip", {Folder("data/"), File("data/a.txt", "alpha")});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    ASSERT_EQ(recorder.reports.size(), 3u);
    EXPECT_EQ(recorder.reports[0].entry, box / "out\\data\\");
    EXPECT_EQ(recorder.reports[1].entry, box / "out\\data\\a.txt");
    EXPECT_EQ(ReadText(box / "out\\data\\a.txt"), "alpha");
}

TEST(Reports, TrailingBackslashOnTheDestinationIsNotDoubled) {
    Sandbox box;
    WriteZip(box / "a.zip", {File("a.txt", "x")});
    Recorder recorder;
    ASSERT_EQ(recorder.Run(box / "a.zip", box / "out\\"), 1);
    EXPECT_EQ(recorder.reports[0].entry, box / "out\\a.txt");
}

TEST(Reports, EmptyCentralDirectoryGivesOneReportAtZero) {
    Sandbox box;
    // A local header that passes the quick test, then an end record that lists nothing.
    WriteZip(box / "one.zip", {File("a.txt", "x")});
    Bytes zip = ReadBytes(box / "one.zip");
    const Layout layout = ReadLayout(zip);
    Bytes end(zip.begin() + static_cast<std::ptrdiff_t>(layout.end), zip.end());
    zip.resize(layout.central[0]);
    Put16(end, 8, 0);
    Put16(end, 10, 0);
    Put32(end, 12, 0);
    Put32(end, 16, static_cast<uint32_t>(zip.size()));
    zip.insert(zip.end(), end.begin(), end.end());
    WriteBytes(box / "empty.zip", zip);

    Recorder recorder;
    EXPECT_EQ(recorder.Run(box / "empty.zip", box / "out"), 1);
    EXPECT_EQ(recorder.percents(), std::vector<int32_t>{0});
    EXPECT_EQ(recorder.reports[0].entry, "");
    EXPECT_TRUE(ListTree(box / "out").empty());
}

TEST(Reports, WindowDestroyedMidRunStopsEventsNotTheRun) {
    Sandbox box;
    WriteZip(box / "a.zip", Files(4));
    Recorder recorder;
    recorder.answer = [&](std::size_t report) -> std::optional<int32_t> {
        if (report != 1) return std::nullopt;
        (void)DestroyWindow(recorder.window());
        return 0;  // a stop request, but the window is gone by now
    };
    EXPECT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
    EXPECT_EQ(recorder.percents(), (std::vector<int32_t>{0, 25}));
    EXPECT_EQ(ListTree(box / "out").size(), 4u);
    EXPECT_EQ(unpack::CurrentEntry(), box / "out\\f3.txt");
}

TEST(Reports, HandlerAnswers) {
    struct Case {
        const char* what;
        std::optional<int32_t> answer;
        std::vector<int32_t> percents;
        std::size_t files;
    };
    const Case cases[] = {
        {"false stops after the entry", 0, {0, 25}, 2},
        {"no value goes on", std::nullopt, {0, 25, 50, 75, 100}, 4},
        {"any other value goes on", -1, {0, 25, 50, 75, 100}, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Sandbox box;
        WriteZip(box / "a.zip", Files(4));
        Recorder recorder;
        recorder.answer = [&](std::size_t report) { return report == 1 ? c.answer : std::nullopt; };
        EXPECT_EQ(recorder.Run(box / "a.zip", box / "out"), 1);
        EXPECT_EQ(recorder.percents(), c.percents);
        EXPECT_EQ(ListTree(box / "out").size(), c.files);
    }
}

TEST(Reports, NoWindowNoEventsButEverythingUnpacked) {
    Sandbox box;
    WriteZip(box / "a.zip", Files(2));
    int events = 0;
    unpack::Unpacker unpacker;
    unpacker.raiseProgress = [&](int32_t) -> std::optional<int32_t> { return ++events, 0; };
    EXPECT_EQ(unpack::UnpackArchive(unpacker, box / "a.zip", box / "out"), 1);
    EXPECT_EQ(events, 0);
    EXPECT_EQ(unpack::CurrentEntry(), box / "out\\f1.txt");
}

TEST(Reports, TwoRunsAtOnceSeeWholeCurrentEntries) {
    Sandbox box;
    std::vector<Entry> entries;
    for (int i = 0; i < 150; ++i) entries.push_back(File(std::string(60, 'a' + i % 26) + std::to_string(i), "x"));
    WriteZip(box / "a.zip", entries);
    std::set<std::string> valid;
    for (const char* out : {"one", "two"})
        for (const Entry& e : entries) valid.insert(box / out + "\\" + e.name);
    Recorder one, two;
    std::thread first([&] { EXPECT_EQ(one.Run(box / "a.zip", box / "one"), 1); });
    std::thread second([&] { EXPECT_EQ(two.Run(box / "a.zip", box / "two"), 1); });
    first.join();
    second.join();
    for (const Recorder* recorder : {&one, &two}) {
        ASSERT_EQ(recorder->reports.size(), entries.size() + 1);
        for (const Report& r : recorder->reports) EXPECT_EQ(valid.count(r.entry), 1u) << r.entry;
    }
}

}  // namespace
