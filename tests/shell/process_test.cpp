#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <sstream>
#include <vector>

#include "services/shell/shell.h"
#include "tests/shell/scratch.h"
#include "tests/shell/startup.h"

namespace {

// The probe's record as key -> value.
using Record = std::map<std::string, std::string>;

Record ParseRecord(const std::string& text) {
    Record record;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) record[line.substr(0, equals)] = line.substr(equals + 1);
    }
    return record;
}

// <chrono> does not build with the code page 936 execution charset.
ULONGLONG MillisecondsSince(ULONGLONG start) {
    return GetTickCount64() - start;
}

std::string Quoted(const std::string& path) {
    return '"' + path + '"';
}

// Each test runs a copy of the probe from a folder of its own, as the
// installer runs the installed program from the install folder, which is not
// the installer's own folder. Every start gets a record file of its own, so a
// probe that ends late cannot write into the record of the next one.
class StartProgram : public testing::Test {
protected:
    static void SetUpTestSuite() { StartLikeTheInstaller(); }

    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA(installFolder().c_str(), nullptr));
        for (const char* probe : {"tolvane-probe.exe", "tolvane-probe-console.exe"}) {
            ASSERT_TRUE(CopyFileA((shell::OwnFolder() + "\\" + probe).c_str(),
                                  (installFolder() + "\\" + probe).c_str(), TRUE))
                << probe;
        }
    }
    // The window probes end on their own after --exit-after; the scratch
    // folder can only go once they have.
    void TearDown() override {
        for (const auto& record : windowRecords_) (void)awaitRecord(record, "ended");
        (void)SetEnvironmentVariableA("TOLVANE_PROBE_RECORD", nullptr);
    }

    std::string installFolder() const { return scratch / "tolv"; }
    std::string probeCommand(const std::string& options = "--exit-after=400") const {
        return Quoted(installFolder() + "\\tolvane-probe.exe") + " " + options;
    }
    std::string consoleProbeCommand() const {
        return Quoted(installFolder() + "\\tolvane-probe-console.exe");
    }

    // Names the record file of the next probe started.
    std::string nextRecord(bool windowProbe = true) {
        const std::string record = scratch / ("record-" + std::to_string(++records_) + ".txt");
        EXPECT_TRUE(SetEnvironmentVariableA("TOLVANE_PROBE_RECORD", record.c_str()));
        if (windowProbe) windowRecords_.push_back(record);
        return record;
    }

    // The record once it holds the key (the probe writes its start record
    // whole), or empty after a few seconds.
    static Record awaitRecord(const std::string& path, const char* key = "flags") {
        const ULONGLONG start = GetTickCount64();
        while (MillisecondsSince(start) < 5000) {
            Record record = ParseRecord(ReadFileBytes(path));
            if (record.count(key) != 0) return record;
            Sleep(20);
        }
        return {};
    }

    ScratchFolder scratch;

private:
    int records_ = 0;
    std::vector<std::string> windowRecords_;
};

TEST_F(StartProgram, ShowModesArePassedThroughTheStartupInfo) {
    // What the started program finds in its STARTUPINFOA. (This Wine does not
    // apply it to the first window, so the window itself tells nothing.)
    const struct {
        int mode;
        int show;
    } cases[] = {
        {-5, SW_HIDE},           {0, SW_HIDE},          {1, SW_HIDE},
        {2, SW_SHOWNORMAL},      {3, SW_SHOWMINIMIZED}, {4, SW_SHOWMAXIMIZED},
        {5, SW_SHOWNOACTIVATE},  {6, SW_MINIMIZE},      {7, SW_MINIMIZE},
        {100, SW_MINIMIZE},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "show mode " << c.mode);
        const std::string path = nextRecord();
        ASSERT_TRUE(shell::StartProgram(probeCommand(), false, c.mode));
        Record record = awaitRecord(path);
        EXPECT_EQ(record["flags"], std::to_string(STARTF_USESHOWWINDOW));
        EXPECT_EQ(record["show"], std::to_string(c.show));
    }
}

TEST_F(StartProgram, DefaultsToANormalWindowWithoutWaiting) {
    const std::string path = nextRecord();
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(shell::StartProgram(probeCommand("--exit-after=3000")));
    EXPECT_LT(MillisecondsSince(start), 2000u);
    Record record = awaitRecord(path);
    EXPECT_EQ(record["show"], std::to_string(SW_SHOWNORMAL));
    EXPECT_EQ(record.count("ended"), 0u);
}

TEST_F(StartProgram, ChildStartsInTheOwnFolderWithTheCommandLineUnchanged) {
    const std::string path = nextRecord();
    ASSERT_TRUE(shell::StartProgram(probeCommand("--exit-after=400 \"two words\"")));
    Record record = awaitRecord(path);
    EXPECT_EQ(record["cwd"], shell::OwnFolder());
    EXPECT_EQ(record["cmdline"], probeCommand("--exit-after=400 \"two words\""));
}

TEST_F(StartProgram, NoProgramFailsAtOnce) {
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(shell::StartProgram(installFolder() + "\\Missing.exe"));
    EXPECT_FALSE(shell::StartProgram(""));
    EXPECT_LT(MillisecondsSince(start), 500u);
}

TEST_F(StartProgram, ConsoleProgramReturnsAtOnce) {
    const std::string path = nextRecord(false);
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(shell::StartProgram(consoleProbeCommand()));
    EXPECT_LT(MillisecondsSince(start), 500u);
    EXPECT_EQ(awaitRecord(path)["cwd"], shell::OwnFolder());
}

TEST_F(StartProgram, WaitFlagWaitsForTheEnd) {
    const std::string path = nextRecord();
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(shell::StartProgram(probeCommand("--exit-after=1500"), true));
    EXPECT_GE(MillisecondsSince(start), 1500u);
    EXPECT_EQ(ParseRecord(ReadFileBytes(path))["ended"], "1");
}

}  // namespace
