// What the shipped build could get wrong while its x86-64 twin passes: pointer
// width (these run in both flavours and expect each width's answer) and the
// code page its Chinese texts are written in.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <limits>
#include <string>

#include "services/shell/handle.h"

namespace {

using UniqueWindow = UniqueHandle<HWND, DestroyWindow, 0>;
constexpr bool kIs32Bit = sizeof(void*) == 4;

// What the window procedures saw, found through GWLP_USERDATA.
struct Probe {
    WNDPROC original = nullptr;
    int subclassCalls = 0;
    DWORD setTextThread = 0;
};

Probe* ProbeOf(HWND window) {
    return reinterpret_cast<Probe*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        if (Probe* probe = ProbeOf(window)) probe->setTextThread = GetCurrentThreadId();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Probe* probe = ProbeOf(window);
    ++probe->subclassCalls;
    return CallWindowProcA(probe->original, window, message, wParam, lParam);
}

// A hidden top-level window with one LONG_PTR of extra bytes.
UniqueWindow MakeWindow(Probe& probe) {
    static const ATOM windowClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ProbeProc;
        wc.cbWndExtra = sizeof(LONG_PTR);
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TolvaneWidthProbe";
        return RegisterClassA(&wc);
    }();
    UniqueWindow window(CreateWindowExA(0, MAKEINTATOM(windowClass), "", WS_OVERLAPPEDWINDOW, 0, 0,
                                        200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (window) (void)SetWindowLongPtrA(window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&probe));
    return window;
}

TEST(Environment, AnsiCodePageIs936) {
    EXPECT_EQ(GetACP(), 936u);
}

TEST(Width, StructuresHaveTheSizesWindowsExpects) {
    struct Case {
        const char* name;
        std::size_t actual, on32, on64;
    };
    const Case cases[] = {
        {"STARTUPINFOA", sizeof(STARTUPINFOA), 68, 104},
        {"PROCESS_INFORMATION", sizeof(PROCESS_INFORMATION), 16, 24},
        {"OPENFILENAMEA", sizeof(OPENFILENAMEA), 88, 152},
        {"BROWSEINFOA", sizeof(BROWSEINFOA), 32, 64},
    };
    for (const Case& c : cases) EXPECT_EQ(c.actual, kIs32Bit ? c.on32 : c.on64) << c.name;
}

TEST(Width, PointersRoundTripThroughWindowLongs) {
    Probe probe;
    UniqueWindow window = MakeWindow(probe);
    ASSERT_TRUE(window);
    EXPECT_EQ(ProbeOf(window.get()), &probe);

    // Top bit set: a large-address-aware 32-bit process gets addresses above 2 GB.
    const LONG_PTR high = std::numeric_limits<LONG_PTR>::min() | 0x1234;
    (void)SetWindowLongPtrA(window.get(), 0, high);
    EXPECT_EQ(GetWindowLongPtrA(window.get(), 0), high);

    // Subclassing hands back the whole previous procedure, which still works.
    probe.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    EXPECT_EQ(probe.original, ProbeProc);
    ASSERT_TRUE(SetWindowTextA(window.get(), "subclassed"));
    EXPECT_GT(probe.subclassCalls, 0);
    EXPECT_EQ(probe.setTextThread, GetCurrentThreadId());
}

struct TitleJob {
    HWND window;
    const char* title;
    BOOL result;
};

DWORD WINAPI SetTitleFromWorker(LPVOID parameter) {
    auto* job = static_cast<TitleJob*>(parameter);
    job->result = SetWindowTextA(job->window, job->title);
    return 0;
}

TEST(Width, CrossThreadSetWindowTextIsHandledByThePumpingThread) {
    Probe probe;
    UniqueWindow window = MakeWindow(probe);
    ASSERT_TRUE(window);
    const std::string title = "正在安装 75%";
    TitleJob job{window.get(), title.c_str(), FALSE};
    UniqueKernelHandle worker(CreateThread(nullptr, 0, SetTitleFromWorker, &job, 0, nullptr));
    ASSERT_TRUE(worker);

    // The worker's SetWindowTextA returns once this thread has handled it.
    HANDLE waitFor = worker.get();
    for (;;) {
        const DWORD woke = MsgWaitForMultipleObjectsEx(1, &waitFor, 10000, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke == WAIT_OBJECT_0) break;
        ASSERT_EQ(woke, WAIT_OBJECT_0 + 1) << "the worker did not finish";
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    EXPECT_TRUE(job.result);
    EXPECT_EQ(probe.setTextThread, GetCurrentThreadId());
    char text[64] = {};
    EXPECT_EQ(GetWindowTextLengthA(window.get()), static_cast<int>(title.size()));
    (void)GetWindowTextA(window.get(), text, sizeof(text));
    EXPECT_EQ(std::string(text), title);
}

}  // namespace
