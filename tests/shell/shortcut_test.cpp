#include <gtest/gtest.h>
#include <objidl.h>
#include <shlobj.h>
#include <windows.h>

#include <cstring>

#include "services/shell/com_ptr.h"
#include "services/shell/shell.h"
#include "tests/shell/scratch.h"
#include "tests/shell/startup.h"

namespace {

struct Shortcut {
    std::string path;
    std::string description;
    std::string arguments;
    std::string workingFolder;
    INT32 showCommand = -1;
};

// Reads a shortcut back through the shell's own link object. The show command
// comes from the file (offset 0x3C): this Wine's GetShowCmd always answers 1.
Shortcut ReadShortcut(const std::string& file) {
    Shortcut shortcut;
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                link.Out())))
        return shortcut;
    ComPtr<IPersistFile> persist;
    wchar_t wide[MAX_PATH] = L"";
    (void)MultiByteToWideChar(CP_ACP, 0, file.c_str(), -1, wide, MAX_PATH);
    if (FAILED(link->QueryInterface(IID_IPersistFile, persist.Out())) ||
        FAILED(persist->Load(wide, STGM_READ)))
        return shortcut;

    char text[1024] = "";
    if (SUCCEEDED(link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH))) shortcut.path = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetDescription(text, sizeof text))) shortcut.description = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetArguments(text, sizeof text))) shortcut.arguments = text;
    text[0] = '\0';
    if (SUCCEEDED(link->GetWorkingDirectory(text, sizeof text))) shortcut.workingFolder = text;

    const std::string bytes = ReadFileBytes(file);
    if (bytes.size() >= 0x40) std::memcpy(&shortcut.showCommand, bytes.data() + 0x3C, sizeof(INT32));
    return shortcut;
}

class CreateShortcut : public testing::Test {
protected:
    static void SetUpTestSuite() { StartLikeTheInstaller(); }
    void SetUp() override {
        ASSERT_TRUE(CreateDirectoryA((scratch / "tolv").c_str(), nullptr));
        WriteFileBytes(target(), "program");
        ASSERT_TRUE(CreateDirectoryA(links().c_str(), nullptr));
    }

    std::string target() const { return scratch / "tolv\\Tolvane.exe"; }
    // Shortcuts go here, so that a listing shows exactly what was written.
    std::string links() const { return scratch / "links"; }

    ScratchFolder scratch;
};

TEST_F(CreateShortcut, AppendsLnkOnlyWhenTheLastPartHasNoDot) {
    const struct {
        const char* folder;  // under links(), made for the case
        const char* name;
        const char* written;
    } cases[] = {
        {"plain", "Tolvane", "Tolvane.lnk"},
        {"a.b", "Tolvane", "Tolvane.lnk"},  // a "." in a folder does not count
        {"lnk", "Tolvane.lnk", "Tolvane.lnk"},
        {"x", "setup.x", "setup.x"},
        // The second byte of 乗 is 0x5C: not a separator, so the "." before it
        // is in the last part.
        {"dbcs", "a.乗b", "a.乗b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string folder = links() + "\\" + c.folder;
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));

        ASSERT_TRUE(shell::CreateShortcut(folder + "\\" + c.name, target(), "Corvessa"));

        EXPECT_EQ(ListFolder(folder), c.written);
        const Shortcut shortcut = ReadShortcut(folder + "\\" + c.written);
        EXPECT_EQ(shortcut.path, target());
        EXPECT_EQ(shortcut.description, "Corvessa");
        EXPECT_EQ(shortcut.arguments, "");
        EXPECT_EQ(shortcut.workingFolder, "");
        EXPECT_EQ(shortcut.showCommand, SW_SHOW);
    }
}

TEST_F(CreateShortcut, ReplacesAnExistingShortcut) {
    WriteFileBytes(scratch / "tolv\\Other.exe", "other");
    ASSERT_TRUE(shell::CreateShortcut(links() + "\\Tolvane", scratch / "tolv\\Other.exe", "old"));
    ASSERT_TRUE(shell::CreateShortcut(links() + "\\Tolvane", target(), "Corvessa"));

    EXPECT_EQ(ListFolder(links()), "Tolvane.lnk");
    const Shortcut shortcut = ReadShortcut(links() + "\\Tolvane.lnk");
    EXPECT_EQ(shortcut.path, target());
    EXPECT_EQ(shortcut.description, "Corvessa");
}

TEST_F(CreateShortcut, SetsArgumentsAndWorkingFolderOnlyWhenGiven) {
    ASSERT_TRUE(shell::CreateShortcut(links() + "\\Tolvane", target(), std::nullopt, "--demo 1",
                                      scratch / "tolv"));
    const Shortcut shortcut = ReadShortcut(links() + "\\Tolvane.lnk");
    EXPECT_EQ(shortcut.path, target());
    EXPECT_EQ(shortcut.description, "");
    EXPECT_EQ(shortcut.arguments, "--demo 1");
    EXPECT_EQ(shortcut.workingFolder, scratch / "tolv");
    EXPECT_EQ(shortcut.showCommand, SW_SHOW);
}

TEST_F(CreateShortcut, WritesNothingWhenTheFileNameDoesNotFitMaxPath) {
    const std::string folder = links() + "\\";
    const auto padded = [&](std::size_t length, const std::string& end) {
        return folder + std::string(length - folder.size() - end.size(), 'x') + end;
    };
    // 255 bytes + ".lnk" is the longest name that fits with its terminator.
    ASSERT_TRUE(shell::CreateShortcut(padded(255, ""), target()));
    EXPECT_EQ(ListFolder(links()), padded(259, ".lnk").substr(folder.size()));
    ASSERT_TRUE(DeleteFileA(padded(259, ".lnk").c_str()));

    EXPECT_FALSE(shell::CreateShortcut(padded(256, ""), target()));
    EXPECT_FALSE(shell::CreateShortcut(padded(260, ".lnk"), target()));
    EXPECT_EQ(ListFolder(links()), "");
}

TEST_F(CreateShortcut, FailsInAMissingFolder) {
    EXPECT_FALSE(shell::CreateShortcut(links() + "\\missing\\Tolvane", target(), "Corvessa"));
    EXPECT_EQ(ListFolder(links()), "");
}

}  // namespace
