#pragma once
// The shell, process and file services the install run stands on. Texts are in
// the ANSI code page; every call uses the "A" forms of the API. Failures show
// no message: they come back only as false or an empty text.
#include <windows.h>

#include <optional>
#include <string>

namespace shell {

// True when FindFirstFileA finds anything for the path as given: a file or a
// folder; wildcards count; a trailing backslash or a drive root finds nothing.
bool PathExists(const std::string& path);

// Creates the last level of the path only; false when it exists already or
// its parent is missing.
bool CreateFolder(const std::string& path);

// Fixes the folder of the running program's file, without a trailing
// backslash ("D:" for a program in a drive's root). Called once at start-up,
// before any second thread exists.
void FixOwnFolder();
// The folder fixed by FixOwnFolder; empty when it could not be found.
std::string OwnFolder();

// Runs the routine on a new thread. With handleOut the thread handle is stored
// there (null on failure) and the caller closes it; otherwise it is closed here.
bool StartThread(LPTHREAD_START_ROUTINE routine, void* parameter = nullptr,
                 HANDLE* handleOut = nullptr);

// Starts the command line (quotes are the caller's business) in the current
// directory. showMode 1..6 (clamped): hide, normal, minimised, maximised,
// no-activate, minimise. Waits for the program's end with wait, else for its
// first input wait, 1000 ms at most.
bool StartProgram(const std::string& commandLine, bool wait = false, int showMode = 2);

// Folder number 1..11 (documents, favourites, desktop, fonts, start menu,
// programs, startup, application data, Windows, system, temporary files); the
// path ends in a backslash, or is empty for another number or a failure.
std::string SpecialFolder(int number);

// Writes a shell link to target at linkPath (".lnk" is appended when the last
// part of linkPath has no "."). Needs COM initialised on the calling thread.
bool CreateShortcut(const std::string& linkPath, const std::string& target,
                    const std::optional<std::string>& description = {},
                    const std::optional<std::string>& arguments = {},
                    const std::optional<std::string>& workingFolder = {});

}  // namespace shell
