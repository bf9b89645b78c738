#include "services/unpack/unpack.h"

#include "services/unpack/archive.h"
#include "services/unpack/current_entry.h"
#include "services/unpack/entry_info.h"
#include "services/unpack/entry_path.h"
#include "services/unpack/folder_path.h"
#include "services/unpack/write_entry.h"

namespace unpack {

namespace {

// The state of one call of UnpackArchive.
class Run {
public:
    Run(const Unpacker& unpacker, FailureInfo* failure) : unpacker_(unpacker), failure_(failure) {
        if (failure_) *failure_ = FailureInfo{};
    }

    uint32_t total = 0;
    uint32_t done = 0;
    bool stopRequested = false;
    std::string currentEntry;

    // Percent done, the current-entry text, then the progress event while the
    // component's window lives; a handler that answers 0 asks the run to stop.
    void Report() {
        const int32_t percent =
            total == 0 ? 0 : static_cast<int32_t>(static_cast<double>(done) / static_cast<double>(total) * 100.0);
        SetCurrentEntry(currentEntry);
        if (!IsWindow(unpacker_.window) || !unpacker_.raiseProgress) return;
        const std::optional<int32_t> answer = unpacker_.raiseProgress(percent);
        if (answer && *answer == 0 && IsWindow(unpacker_.window)) stopRequested = true;
    }

    // Ends the run with the final report.
    int End(int result) {
        done = total;
        Report();
        return result;
    }

    int Fail(int result, Failure kind, const std::string& path) {
        if (failure_) *failure_ = FailureInfo{kind, path};
        return End(result);
    }

private:
    const Unpacker& unpacker_;
    FailureInfo* failure_;
};

// Makes the entry's folder or writes its file; every unpacked file ends with normal attributes.
Failure UnpackEntry(unzFile archive, const EntryInfo& entry, const std::string& path) {
    if (entry.IsFolder()) return PathExists(path) || CreateFolderPath(path) ? Failure::None : Failure::FolderNotMade;
    // An existing read-only, hidden or system file would refuse to be replaced.
    (void)SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    const Failure fault = WriteFileEntry(archive, entry, path);
    if (fault == Failure::None) (void)SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return fault;
}

}  // namespace

int UnpackArchive(const Unpacker& unpacker, const std::string& archivePath, const std::string& destination,
                  FailureInfo* failure) {
    Run run(unpacker, failure);
    if (!PathExists(archivePath)) return run.Fail(-1, Failure::ArchiveMissing, archivePath);
    if (!PathExists(destination) && !CreateFolderPath(destination))
        return run.Fail(0, Failure::FolderNotMade, destination);
    if (!PassesArchiveTest(archivePath)) return run.Fail(0, Failure::NotAnArchive, archivePath);
    const Archive archive = OpenArchive(archivePath);
    if (!archive) return run.Fail(0, Failure::NotAnArchive, archivePath);

    while (ReadEntryInfo(archive.get(), run.total)) ++run.total;
    const uint64_t declared = DeclaredEntryCount(archive.get());

    for (uint32_t i = 0;; ++i) {
        const std::optional<EntryInfo> entry = ReadEntryInfo(archive.get(), i);
        if (!entry) {
            // An unreadable entry before the declared end loses the entries
            // after it, which must not pass for success.
            if (i < declared) return run.Fail(0, Failure::EntryUnreadable, archivePath);
            break;
        }
        const EntryPath path = FormEntryPath(destination, *entry);
        if (!path.usable) return run.Fail(0, Failure::UnsafeName, path.path);
        const Failure fault = UnpackEntry(archive.get(), *entry, path.path);
        if (fault != Failure::None) return run.Fail(0, fault, path.path);
        run.done = i;
        run.currentEntry = path.path;
        run.Report();
        if (run.stopRequested) return 1;
    }
    return run.End(1);
}

}  // namespace unpack
