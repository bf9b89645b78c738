// How the program ends: normally, from inside a handler, and by the fatal
// stop. Each case runs this test program again as a child process.
#include "test_form.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <sstream>

using namespace test_form;

namespace {

std::string markFile;

void Mark(const char* text) {
    std::ofstream(markFile, std::ios::app) << text << "\n";
}

void ExitRoutine() { Mark("exit routine"); }

DWORD WINAPI CloseFromAnotherThread(void*) {
    ui::CloseWindow(0);
    return 0;
}

int ChildEntry(const std::string& scenario) {
    StartServices();
    ui::RegisterExitRoutine(ExitRoutine);
    ui::RegisterExitRoutine(ExitRoutine);
    ui::LoadWindow(0);
    if (scenario == "close-after-destroy") {
        ui::CloseWindow(0, true);
        ui::CloseWindow(0);
        Mark("not reached");
    } else if (scenario == "caption-after-destroy") {
        ui::CloseWindow(0, true);
        ui::WriteInt(At(进度条), ui::Property::Width, 10);  // a width only stores
        ui::WriteText(At(标签), ui::Property::Caption, "x");
        Mark("not reached");
    } else if (scenario == "quit-inside-handler") {
        // The window goes inside Process events, within a click handler
        // that runs from the message loop.
        OnClickRun([] {
            ui::CloseWindow(0);
            ui::ProcessEvents();
            MSG msg;
            if (!ui::LoadedHandle(0)) Mark("destroyed inside");
            ui::ProcessEvents();
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message == WM_QUIT) Mark("quit queued");
        });
        PostMessageA(FindWindowExA(ui::LoadedHandle(0), nullptr, "Button", nullptr), BM_CLICK, 0, 0);
    } else if (scenario == "close-from-thread") {
        CloseHandle(CreateThread(nullptr, 0, CloseFromAnotherThread, nullptr, 0, nullptr));
    }
    ui::RunMessageLoop();
    Mark("loop ended");
    return 0;
}

struct ChildResult {
    DWORD exitCode = 0;
    bool errorBox = false;
    std::string marks;
};

// Runs a scenario in a child process; presses OK on its error box, if any.
ChildResult RunChild(const std::string& scenario) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof(self));
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    const std::string marks = std::string(temp) + "ui-lifecycle-" + scenario + ".txt";
    DeleteFileA(marks.c_str());
    std::string command = "\"" + std::string(self) + "\" --child " + scenario + " \"" + marks + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
    ChildResult result;
    for (int i = 0; i < 300 && WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT; ++i) {
        if (HWND box = FindWindowA("#32770", "运行时错误")) {
            result.errorBox = true;
            PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        }
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(pi.hProcess, 99);
    GetExitCodeProcess(pi.hProcess, &result.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    std::ifstream in(marks);
    std::stringstream text;
    text << in.rdbuf();
    result.marks = text.str();
    return result;
}

TEST(Lifecycle, FatalStopsShowTheBoxAndEndWithMinusOneWithoutTheExitRoutine) {
    for (const char* scenario : {"close-after-destroy", "caption-after-destroy"}) {
        const ChildResult r = RunChild(scenario);
        EXPECT_TRUE(r.errorBox) << scenario;
        EXPECT_EQ(r.exitCode, static_cast<DWORD>(-1)) << scenario;
        EXPECT_EQ(r.marks, "") << scenario;
    }
}

TEST(Lifecycle, NormalEndsRunTheExitRoutineOnceAndExitWithZero) {
    const ChildResult r = RunChild("close-from-thread");
    EXPECT_FALSE(r.errorBox);
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.marks, "loop ended\nexit routine\n");
}

TEST(Lifecycle, WindowDestroyedInsideProcessEventsLeavesQuitQueuedUntilTheLoop) {
    const ChildResult r = RunChild("quit-inside-handler");
    EXPECT_EQ(r.exitCode, 0u);
    EXPECT_EQ(r.marks, "destroyed inside\nquit queued\nloop ended\nexit routine\n");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--child") {
        markFile = argv[3];
        const std::string scenario = argv[2];
        static std::string chosen = scenario;
        ui::RunProgram([] { return ChildEntry(chosen); });
    }
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
