#pragma once
// Unpacks a ZIP archive into a folder, one entry after the other, with a
// progress report after each entry and one at the end.
#include <windows.h>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace unpack {

// The archive unpacker component as the service sees it: the component's window, which must exist
// (IsWindow) for the progress event to be raised, and the raise of its progress event. raiseProgress
// returns the handler's value when a handler ran and returned one, std::nullopt otherwise.
struct Unpacker {
    HWND window = nullptr;
    std::function<std::optional<int32_t>(int32_t percent)> raiseProgress;
};

// UnsafeName: the entry's name cannot be used here: it reaches outside the
// destination, it or its destination path is too long, or it has no form in
// the ANSI code page.
enum class Failure { None, ArchiveMissing, FolderNotMade, NotAnArchive, EntryUnreadable, UnsafeName, FileNotWritten, DataCorrupt };

// What went wrong in a run whose result is not 1, for the installer's error message.
struct FailureInfo {
    Failure kind = Failure::None;
    std::string path;  // the destination path or folder concerned (the archive for archive faults), ANSI
};

// 1: every readable entry unpacked, or stopped by the handler; 0: a failure
// once the archive was found; -1: nothing at the archive path.
int UnpackArchive(const Unpacker& unpacker, const std::string& archivePath, const std::string& destination,
                  FailureInfo* failure = nullptr);

// The destination path of the entry most recently reported, by any run of the process.
std::string CurrentEntry();

}  // namespace unpack
