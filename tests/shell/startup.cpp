#include "tests/shell/startup.h"

#include <ole2.h>
#include <windows.h>

#include "services/shell/shell.h"

void StartLikeTheInstaller() {
    static const bool started = [] {
        (void)SetErrorMode(SetErrorMode(0) | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        (void)OleInitialize(nullptr);
        shell::FixOwnFolder();
        (void)SetCurrentDirectoryA(shell::OwnFolder().c_str());
        return true;
    }();
    (void)started;
}
