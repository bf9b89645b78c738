// Properties, cross-thread writes, closing and events of a live window.
#include "test_form.h"
#include <gtest/gtest.h>
#include <thread>

using namespace test_form;
using ui::Property;

namespace {

// Takes the UI thread's messages until done is true.
void PumpUntil(const std::atomic<bool>& done) {
    for (int i = 0; i < 5000 && !done; ++i) {
        ui::ProcessEvents();
        Sleep(1);
    }
}

class LoadedWindow : public testing::Test {
protected:
    void SetUp() override {
        StartServices();
        ui::LoadWindow(0);
        ASSERT_NE(ui::LoadedHandle(0), nullptr);
    }
    void TearDown() override {
        if (ui::LoadedHandle(0)) ui::CloseWindow(0, true);
    }
};

TEST_F(LoadedWindow, CreatedHandlerRunsOnceWhileHiddenWithLiveControls) {
    EXPECT_TRUE(seen().hiddenAtCreation);
    EXPECT_TRUE(seen().controlsLiveAtCreation);
    EXPECT_EQ(ui::ReadText(At(标签), Property::Caption), "载入时写入");
    EXPECT_TRUE(IsWindowVisible(ui::LoadedHandle(0)));
    // Filling the drive list during the load raised no change event.
    EXPECT_EQ(seen().changes, 0);
    EXPECT_FALSE(ui::ReadInt(At(进度条), Property::Visible));
}

TEST_F(LoadedWindow, WidthIsClampedStoredAndApplied) {
    const struct { int32_t written, read; } cases[] = {{-5, 0}, {0, 0}, {307, 307}, {32627, 32627}, {40000, 32627}};
    for (const auto& c : cases) {
        ui::WriteInt(At(进度条), Property::Width, c.written);
        EXPECT_EQ(ui::ReadInt(At(进度条), Property::Width), c.read) << c.written;
    }
}

TEST_F(LoadedWindow, WidthWrittenOnAnotherThreadReadsBackOnTheUiThread) {
    std::atomic<bool> done{false};
    std::thread writer([&] {
        ui::WriteInt(At(进度条), Property::Width, 307);
        done = true;
    });
    PumpUntil(done);
    writer.join();
    EXPECT_EQ(ui::ReadInt(At(进度条), Property::Width), 307);
}

TEST_F(LoadedWindow, CaptionWriteFromAnotherThreadWaitsForTheUiThreadsMessages) {
    std::atomic<bool> done{false};
    std::thread writer([&] {
        ui::WriteText(At(标签), Property::Caption, "来自另一线程");
        done = true;
    });
    Sleep(300);  // the UI thread takes no messages here
    EXPECT_FALSE(done);
    PumpUntil(done);
    writer.join();
    EXPECT_TRUE(done);
    EXPECT_EQ(ui::ReadText(At(标签), Property::Caption), "来自另一线程");
}

TEST_F(LoadedWindow, VisibleAndPosition) {
    ui::WriteInt(At(进度条), Property::Visible, 5);
    EXPECT_TRUE(ui::ReadInt(At(进度条), Property::Visible));
    ui::WriteInt(At(进度条), Property::Visible, 0);
    EXPECT_FALSE(ui::ReadInt(At(进度条), Property::Visible));

    const HWND window = ui::LoadedHandle(0);
    ui::WriteInt(At(窗口), Property::Position, 2);
    EXPECT_TRUE(IsIconic(window));
    ui::WriteInt(At(窗口), Property::Position, -1);  // acts as 0
    EXPECT_EQ(ui::ReadInt(At(窗口), Property::Position), 0);
    EXPECT_FALSE(IsIconic(window));
    ui::WriteInt(At(窗口), Property::Position, 9);  // acts as 3
    EXPECT_EQ(ui::ReadInt(At(窗口), Property::Position), 3);
    EXPECT_TRUE(IsZoomed(window));
    ui::WriteInt(At(窗口), Property::Position, 1);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 400) / 2);
    EXPECT_EQ(r.right - r.left, 400);
}

TEST_F(LoadedWindow, AfterDestructionWidthAndVisibleUseTheStoredValues) {
    ui::WriteInt(At(进度条), Property::Width, 100);
    ui::WriteInt(At(进度条), Property::Visible, 1);
    ui::CloseWindow(0, true);
    ASSERT_EQ(ui::LoadedHandle(0), nullptr);
    EXPECT_EQ(ui::ReadInt(At(进度条), Property::Width), 615);  // the form's value again
    EXPECT_FALSE(ui::ReadInt(At(进度条), Property::Visible));
    ui::WriteInt(At(进度条), Property::Width, 50);
    EXPECT_EQ(ui::ReadInt(At(进度条), Property::Width), 50);
}

TEST_F(LoadedWindow, CloseWindowReturnsAtOnceAndTwoCloseMessagesDestroyOnce) {
    const HWND window = ui::LoadedHandle(0);
    std::thread([] { ui::CloseWindow(0); }).join();  // from another thread it only posts
    ui::CloseWindow(0);
    EXPECT_TRUE(IsWindow(window));
    ui::ProcessEvents();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(ui::LoadedHandle(0), nullptr);
}

TEST_F(LoadedWindow, RaiseEventReportsTheHandlersValue) {
    const int clicks = seen().clicks;
    ui::RaiseResult r = ui::RaiseEvent(At(按钮), ui::kClick);
    EXPECT_TRUE(r.handlerRan);
    EXPECT_EQ(r.value, 7);
    EXPECT_EQ(seen().clicks, clicks + 1);
    r = ui::RaiseEvent(At(驱动器框), 42);  // nothing bound
    EXPECT_FALSE(r.handlerRan);
    EXPECT_FALSE(r.value);
}

TEST_F(LoadedWindow, ButtonClickAndDriveChoiceRaiseTheirEvents) {
    const int clicks = seen().clicks, changes = seen().changes;
    HWND button = FindWindowExA(ui::LoadedHandle(0), nullptr, "Button", nullptr);
    ASSERT_TRUE(button);
    SendMessageA(button, BM_CLICK, 0, 0);
    EXPECT_EQ(seen().clicks, clicks + 1);

    // Choosing the drive that is already selected raises the event too.
    const std::string drive = ui::ReadText(At(驱动器框), Property::CurrentDrive);
    HWND combo = FindWindowExA(ui::LoadedHandle(0), nullptr, "ComboBox", nullptr);
    ASSERT_TRUE(combo);
    SendMessageA(ui::LoadedHandle(0), WM_COMMAND, MAKEWPARAM(0, CBN_SELENDOK), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(seen().changes, changes + 1);
    EXPECT_EQ(ui::ReadText(At(驱动器框), Property::CurrentDrive), drive);
}

TEST(ProcessEvents, ReturnsAtOnceWithAnEmptyQueue) {
    StartServices();
    ui::ProcessEvents();
    const DWORD start = GetTickCount();
    for (int i = 0; i < 1000; ++i) ui::ProcessEvents();
    EXPECT_LT(GetTickCount() - start, 500u);
}

}  // namespace
