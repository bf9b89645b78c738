#include <gtest/gtest.h>
#include <windows.h>

#include "services/shell/handle.h"
#include "services/shell/shell.h"

namespace {

DWORD WINAPI ReturnParameter(void* parameter) {
    return *static_cast<DWORD*>(parameter);
}

DWORD WINAPI SignalEvent(void* event) {
    (void)SetEvent(static_cast<HANDLE>(event));
    return 0;
}

TEST(StartThread, GivesTheOpenHandleWhenAskedFor) {
    DWORD value = 4711;
    HANDLE handle = nullptr;
    ASSERT_TRUE(shell::StartThread(ReturnParameter, &value, &handle));
    const UniqueKernelHandle thread(handle);
    ASSERT_TRUE(thread);
    ASSERT_EQ(WaitForSingleObject(thread.get(), 5000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeThread(thread.get(), &exitCode));
    EXPECT_EQ(exitCode, 4711u);
}

TEST(StartThread, RunsOnWithoutAHandle) {
    const UniqueKernelHandle event(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(shell::StartThread(SignalEvent, event.get()));
    EXPECT_EQ(WaitForSingleObject(event.get(), 5000), WAIT_OBJECT_0);
}

}  // namespace
