#include "services/unpack/current_entry.h"

#include <mutex>

#include "services/unpack/unpack.h"

namespace unpack {

namespace {
// One text for every unpacker of the process; the lock keeps two runs that
// report at the same time from tearing it.
std::mutex currentEntryLock;
std::string currentEntry;
}  // namespace

void SetCurrentEntry(const std::string& path) {
    std::lock_guard<std::mutex> hold(currentEntryLock);
    currentEntry = path;
}

std::string CurrentEntry() {
    std::lock_guard<std::mutex> hold(currentEntryLock);
    return currentEntry;
}

}  // namespace unpack
