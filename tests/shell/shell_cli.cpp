// Runs the shell services for the script tests, after the installer's own
// start-up steps. Output is ANSI text, one line per result.
//   own-folder             own=, archive= (own folder + "\qzr.dat"), cwd=
//   path-exists PATH...    one line "0" or "1" per path
//   shortcut LINK TARGET DESCRIPTION   exit code 0 when written
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "services/shell/shell.h"
#include "tests/shell/startup.h"

int main(int argc, char** argv) {
    StartLikeTheInstaller();
    if (argc >= 2 && std::strcmp(argv[1], "own-folder") == 0) {
        char cwd[MAX_PATH] = "";
        (void)GetCurrentDirectoryA(sizeof cwd, cwd);
        std::printf("own=%s\narchive=%s\\qzr.dat\ncwd=%s\n", shell::OwnFolder().c_str(),
                    shell::OwnFolder().c_str(), cwd);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "path-exists") == 0) {
        for (int i = 2; i < argc; ++i) std::printf("%d\n", shell::PathExists(argv[i]) ? 1 : 0);
        return 0;
    }
    if (argc == 5 && std::strcmp(argv[1], "shortcut") == 0) {
        return shell::CreateShortcut(argv[2], argv[3], argv[4]) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: own-folder | path-exists PATH... | shortcut LINK TARGET DESCRIPTION\n");
    return 2;
}
