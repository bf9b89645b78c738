#include <algorithm>
#include <iterator>
#include <vector>

#include "services/shell/handle.h"
#include "services/shell/shell.h"

#ifndef _WIN64
static_assert(sizeof(STARTUPINFOA) == 68, "the 32-bit STARTUPINFOA is 68 bytes");
#endif

namespace shell {
namespace {

// Show modes 1..6 in order.
constexpr WORD kShowWindow[] = {
    SW_HIDE, SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED, SW_SHOWNOACTIVATE,
    SW_MINIMIZE,  // not SW_SHOWMINNOACTIVE
};
constexpr int kLastShowMode = static_cast<int>(std::size(kShowWindow));

}  // namespace

bool StartProgram(const std::string& commandLine, bool wait, int showMode) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = kShowWindow[std::clamp(showMode, 1, kLastShowMode) - 1];

    // CreateProcessA may write into its command line, so it gets a copy.
    std::vector<char> command(commandLine.begin(), commandLine.end());
    command.push_back('\0');

    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &started)) {
        return false;
    }
    // Declared in this order so that the thread handle is closed first.
    const UniqueKernelHandle process(started.hProcess);
    const UniqueKernelHandle thread(started.hThread);

    if (wait) {
        (void)WaitForSingleObject(process.get(), INFINITE);
    } else {
        (void)WaitForInputIdle(process.get(), 1000);
    }
    return true;
}

}  // namespace shell
