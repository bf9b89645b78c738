// tolvane-unpack ARCHIVE DEST: unpacks as the installer does and prints each
// progress report as "<percent> <current entry>", then "result <r>".
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <memory>
#include <string>

#include "services/unpack/unpack.h"

namespace {

struct DestroyWindowOnExit {
    void operator()(HWND window) const { (void)DestroyWindow(window); }
};

int ExitStatus(int result) {
    switch (result) {
        case 1: return 0;
        case 0: return 1;
        default: return 2;
    }
}

}  // namespace

int main(int argc, char** argv) {
    // Raw bytes: entry names stay as they are and lines end in "\n" alone.
    (void)_setmode(_fileno(stdout), _O_BINARY);
    (void)_setmode(_fileno(stderr), _O_BINARY);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tolvane-unpack ARCHIVE DEST\n");
        return 64;
    }
    // The progress event is raised only while the component's window exists.
    std::unique_ptr<std::remove_pointer_t<HWND>, DestroyWindowOnExit> window(
        CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr));
    if (!window) {
        std::fprintf(stderr, "tolvane-unpack: no window (%lu)\n", GetLastError());
        return 70;
    }
    unpack::Unpacker unpacker;
    unpacker.window = window.get();
    unpacker.raiseProgress = [](int32_t percent) -> std::optional<int32_t> {
        const std::string entry = unpack::CurrentEntry();
        std::printf("%d ", static_cast<int>(percent));
        std::fwrite(entry.data(), 1, entry.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
        return std::nullopt;
    };
    const int result = unpack::UnpackArchive(unpacker, argv[1], argv[2]);
    std::printf("result %d\n", result);
    std::fflush(stdout);
    return ExitStatus(result);
}
