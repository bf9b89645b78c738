#include <gtest/gtest.h>
#include <windows.h>

#include "services/shell/shell.h"
#include "tests/shell/scratch.h"
#include "tests/shell/startup.h"

namespace {

class Files : public testing::Test {
protected:
    static void SetUpTestSuite() { StartLikeTheInstaller(); }
    ScratchFolder scratch;
};

TEST_F(Files, PathExistsFollowsTheSearchOfTheGivenPath) {
    ASSERT_TRUE(CreateDirectoryA((scratch / "tolv").c_str(), nullptr));
    WriteFileBytes(scratch / "tolv\\file.txt", "x");
    WriteFileBytes(scratch / "plain", "a file where a folder is wanted");

    const struct {
        std::string path;
        bool exists;
    } cases[] = {
        {scratch / "tolv", true},
        {scratch / "tolv\\file.txt", true},
        {scratch / "plain", true},  // a file counts as well
        {scratch / "tolv\\", false},  // a trailing backslash finds nothing
        {scratch / "tolv\\*.txt", true},
        {scratch / "tolv\\fil?.txt", true},
        {scratch / "tolv\\*.none", false},
        {scratch / "missing", false},
        {scratch / "missing\\tolv", false},
        {"C:\\", false},  // a drive's root is not found
        {"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(shell::PathExists(c.path), c.exists) << c.path;
}

TEST_F(Files, CreateFolderMakesTheLastLevelOnly) {
    EXPECT_TRUE(shell::CreateFolder(scratch / "tolv"));
    EXPECT_EQ(GetFileAttributesA((scratch / "tolv").c_str()), DWORD{FILE_ATTRIBUTE_DIRECTORY});

    EXPECT_FALSE(shell::CreateFolder(scratch / "a\\b"));
    EXPECT_EQ(ListFolder(scratch.path()), "tolv");
}

TEST_F(Files, CreateFolderOverAnExistingNameFailsAndChangesNothing) {
    ASSERT_TRUE(CreateDirectoryA((scratch / "tolv").c_str(), nullptr));
    WriteFileBytes(scratch / "tolv\\Tolvane.exe", "program");
    WriteFileBytes(scratch / "plain", "file");

    EXPECT_FALSE(shell::CreateFolder(scratch / "tolv"));
    EXPECT_FALSE(shell::CreateFolder(scratch / "plain"));

    EXPECT_EQ(ListFolder(scratch.path()), "plain tolv");
    EXPECT_EQ(ListFolder(scratch / "tolv"), "Tolvane.exe");
    EXPECT_EQ(ReadFileBytes(scratch / "tolv\\Tolvane.exe"), "program");
    EXPECT_EQ(ReadFileBytes(scratch / "plain"), "file");
}

}  // namespace
