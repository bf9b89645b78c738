#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <sstream>

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
// the installer's own folder. The probe writes its record to a known file.
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
        ASSERT_TRUE(SetEnvironmentVariableA("TOLVANE_PROBE_RECORD", recordPath().c_str()));
    }
    void TearDown() override { (void)SetEnvironmentVariableA("TOLVANE_PROBE_RECORD", nullptr); }

    std::string installFolder() const { return scratch / "tolv"; }
    std::string recordPath() const { return scratch / "record.txt"; }
    std::string probeCommand(const std::string& options = "--exit-after=400") const {
        return Quoted(installFolder() + "\\tolvane-probe.exe") + " " + options;
    }

    // The record as soon as it is there (the probe writes it whole), or empty
    // after a few seconds.
    Record awaitRecord() const {
        const ULONGLONG start = GetTickCount64();
        while (MillisecondsSince(start) < 5000) {
            const std::string text = ReadFileBytes(recordPath());
            if (!text.empty()) return ParseRecord(text);
            Sleep(20);
        }
        return {};
    }

    ScratchFolder scratch;
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
        (void)DeleteFileA(recordPath().c_str());
        ASSERT_TRUE(shell::StartProgram(probeCommand(), false, c.mode));
        Record record = awaitRecord();
        EXPECT_EQ(record["flags"], std::to_string(STARTF_USESHOWWINDOW));
        EXPECT_EQ(record["show"], std::to_string(c.show));
    }
}

TEST_F(StartProgram, DefaultsToANormalWindowWithoutWaiting) {
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(shell::StartProgram(probeCommand("--exit-after=3000")));
    EXPECT_LT(MillisecondsSince(start), 2000u);
    Record record = awaitRecord();
    EXPECT_EQ(record["show"], std::to_string(SW_SHOWNORMAL));
    EXPECT_EQ(record.count("ended"), 0u);
}

TEST_F(StartProgram, ChildStartsInTheOwnFolderWithTheCommandLineUnchanged) {
    ASSERT_TRUE(shell::StartProgram(probeCommand("--exit-after=400 \"two words\"")));
    Record record = awaitRecord();
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
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(shell::StartProgram(Quoted(installFolder() + "\\tolvane-probe-console.exe")));
    EXPECT_LT(MillisecondsSince(start), 500u);
    EXPECT_EQ(awaitRecord()["cwd"], shell::OwnFolder());
}

TEST_F(StartProgram, WaitFlagWaitsForTheEnd) {
    const ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(shell::StartProgram(probeCommand("--exit-after=1500"), true));
    EXPECT_GE(MillisecondsSince(start), 1500u);
    EXPECT_EQ(ParseRecord(ReadFileBytes(recordPath()))["ended"], "1");
}

}  // namespace
