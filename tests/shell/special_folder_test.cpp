#include <gtest/gtest.h>
#include <windows.h>

#include "services/shell/shell.h"
#include "tests/shell/scratch.h"
#include "tests/shell/startup.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, text.c_str() + text.size() - end.size(),
                          -1, end.c_str(), -1) == CSTR_EQUAL;
}

class SpecialFolder : public testing::Test {
protected:
    static void SetUpTestSuite() { StartLikeTheInstaller(); }
};

TEST_F(SpecialFolder, EachNumberGivesItsFolderWithOneTrailingBackslash) {
    // The ends are the names this Wine gives the folders.
    const struct {
        int number;
        const char* end;
    } cases[] = {
        {1, "\\Documents\\"},   {2, "\\Favorites\\"},   {3, "\\Desktop\\"},
        {4, "\\windows\\Fonts\\"}, {5, "\\Start Menu\\"}, {6, "\\Start Menu\\Programs\\"},
        {7, "\\Programs\\StartUp\\"}, {8, "\\AppData\\Roaming\\"}, {9, "C:\\windows\\"},
        {10, "C:\\windows\\system32\\"}, {11, "\\Temp\\"},
    };
    for (const auto& c : cases) {
        const std::string folder = shell::SpecialFolder(c.number);
        SCOPED_TRACE(testing::Message() << c.number << ": " << folder);
        EXPECT_TRUE(EndsWith(folder, c.end));
        ASSERT_GE(folder.size(), 3u);
        EXPECT_NE(folder[folder.size() - 2], '\\');
        const std::string withoutBackslash = folder.substr(0, folder.size() - 1);
        EXPECT_EQ(GetFileAttributesA(withoutBackslash.c_str()) & FILE_ATTRIBUTE_DIRECTORY,
                  DWORD{FILE_ATTRIBUTE_DIRECTORY});
    }
}

TEST_F(SpecialFolder, OtherNumbersGiveTheEmptyText) {
    for (int number : {0, 12, -1, 16}) EXPECT_EQ(shell::SpecialFolder(number), "") << number;
}

// Moves the user's documents folder (number 1) for one test, as a user can.
class MovedDocuments : public SpecialFolder {
protected:
    static constexpr const char* kKey =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

    void SetUp() override {
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key_),
                  ERROR_SUCCESS);
        char value[MAX_PATH * 2];
        DWORD size = sizeof value;
        DWORD type = 0;
        if (RegQueryValueExA(key_, "Personal", nullptr, &type, reinterpret_cast<BYTE*>(value),
                             &size) == ERROR_SUCCESS) {
            saved_ = std::string(value, size);
            savedType_ = type;
        }
    }
    void TearDown() override {
        if (savedType_ != 0) {
            (void)RegSetValueExA(key_, "Personal", 0, savedType_,
                                 reinterpret_cast<const BYTE*>(saved_.data()),
                                 static_cast<DWORD>(saved_.size()));
        } else {
            (void)RegDeleteValueA(key_, "Personal");
        }
        (void)RegCloseKey(key_);
    }

    void moveTo(const std::string& folder) {
        ASSERT_EQ(RegSetValueExA(key_, "Personal", 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(folder.c_str()),
                                 static_cast<DWORD>(folder.size() + 1)),
                  ERROR_SUCCESS);
    }

    ScratchFolder scratch;

private:
    HKEY key_ = nullptr;
    std::string saved_;
    DWORD savedType_ = 0;
};

TEST_F(MovedDocuments, BackslashAfterADoubleByteCharacterEndingIn0x5C) {
    // The last byte of 乗 is 0x5C, yet the path does not end in a separator.
    const std::string folder = scratch / "文档乗";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    moveTo(folder);
    EXPECT_EQ(shell::SpecialFolder(1), folder + "\\");
}

TEST_F(MovedDocuments, NoRoomForTheBackslashGivesTheEmptyText) {
    const auto folderOf = [&](std::size_t length) {
        const std::string base = scratch.path() + "\\";
        return base + std::string(length - base.size(), 'd');
    };
    for (std::size_t length : {258u, 259u}) {
        ASSERT_TRUE(CreateDirectoryA(folderOf(length).c_str(), nullptr)) << length;
    }
    moveTo(folderOf(258));
    EXPECT_EQ(shell::SpecialFolder(1), folderOf(258) + "\\");
    moveTo(folderOf(259));
    EXPECT_EQ(shell::SpecialFolder(1), "");
}

}  // namespace
