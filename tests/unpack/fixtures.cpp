#include "tests/unpack/fixtures.h"

#include <minizip/zip.h>

#include <algorithm>
#include <atomic>
#include <stdexcept>

#include "services/shell/handle.h"

namespace fixtures {

void WriteZip(const std::string& path, const std::vector<Entry>& entries) {
    zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
    if (!zip) throw std::runtime_error("zipOpen64 " + path);
    for (const Entry& e : entries) {
        zip_fileinfo info{};
        info.dosDate = e.dosTime;
        info.external_fa = e.external;
        const int method = e.deflate ? Z_DEFLATED : 0;
        const int opened = zipOpenNewFileInZip4_64(
            zip, e.name.c_str(), &info, e.localExtra.empty() ? nullptr : e.localExtra.data(),
            static_cast<uInt>(e.localExtra.size()), nullptr, 0, nullptr, method, Z_DEFAULT_COMPRESSION, 0, -MAX_WBITS,
            DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY, nullptr, 0, 0x031E, e.flags, 0);
        if (opened != ZIP_OK || zipWriteInFileInZip(zip, e.data.data(), static_cast<unsigned>(e.data.size())) != ZIP_OK ||
            zipCloseFileInZip(zip) != ZIP_OK)
            throw std::runtime_error("zip entry " + e.name);
    }
    if (zipClose(zip, nullptr) != ZIP_OK) throw std::runtime_error("zipClose " + path);
}

uint16_t Get16(const Bytes& bytes, std::size_t at) { return static_cast<uint16_t>(bytes.at(at) | bytes.at(at + 1) << 8); }
uint32_t Get32(const Bytes& bytes, std::size_t at) {
    return Get16(bytes, at) | static_cast<uint32_t>(Get16(bytes, at + 2)) << 16;
}
void Put16(Bytes& bytes, std::size_t at, uint16_t value) {
    bytes.at(at) = static_cast<unsigned char>(value);
    bytes.at(at + 1) = static_cast<unsigned char>(value >> 8);
}
void Put32(Bytes& bytes, std::size_t at, uint32_t value) {
    Put16(bytes, at, static_cast<uint16_t>(value));
    Put16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

Layout ReadLayout(const Bytes& zip) {
    Layout layout;
    layout.end = zip.size() - 22;
    if (Get32(zip, layout.end) != 0x06054b50) throw std::runtime_error("no end record");
    std::size_t at = Get32(zip, layout.end + 16);
    for (unsigned i = 0; i < Get16(zip, layout.end + 10); ++i) {
        layout.central.push_back(at);
        layout.local.push_back(Get32(zip, at + 42));
        at += 46 + Get16(zip, at + 28) + Get16(zip, at + 30) + Get16(zip, at + 32);
    }
    return layout;
}

Bytes ReadBytes(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) throw std::runtime_error("cannot read " + path);
    Bytes bytes(GetFileSize(file.get(), nullptr));
    DWORD read = 0;
    if (!bytes.empty() && !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        throw std::runtime_error("cannot read " + path);
    return bytes;
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD wrote = 0;
    if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr))
        throw std::runtime_error("cannot write " + path);
}

Bytes ExtendedTimestamp(uint8_t flags, const std::vector<int32_t>& times) {
    Bytes field = {'U', 'T', 0, 0, flags};
    for (int32_t t : times)
        for (int shift = 0; shift < 32; shift += 8) field.push_back(static_cast<unsigned char>(static_cast<uint32_t>(t) >> shift));
    Put16(field, 2, static_cast<uint16_t>(field.size() - 4));
    return field;
}

Sandbox::Sandbox() {
    static std::atomic<unsigned> counter{0};
    char temp[MAX_PATH];
    (void)GetTempPathA(sizeof temp, temp);
    root_ = std::string(temp) + "unpack-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    RemoveTree(root_);
    if (!CreateDirectoryA(root_.c_str(), nullptr)) throw std::runtime_error("cannot make " + root_);
}

Sandbox::~Sandbox() { RemoveTree(root_); }

void RemoveTree(const std::string& path) {
    if (!Exists(path)) return;
    const std::vector<std::string> names = ListTree(path);
    // Deepest first: a folder's name sorts before everything inside it.
    for (auto name = names.rbegin(); name != names.rend(); ++name) {
        const std::string full = path + "\\" + *name;
        (void)SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        (void)(name->back() == '\\' ? RemoveDirectoryA(full.c_str()) : DeleteFileA(full.c_str()));
    }
    (void)SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    (void)RemoveDirectoryA(path.c_str());
    (void)DeleteFileA(path.c_str());
}

std::vector<std::string> ListTree(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    UniqueFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!search) return names;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            names.push_back(name + "\\");
            for (const std::string& below : ListTree(folder + "\\" + name)) names.push_back(name + "\\" + below);
        } else {
            names.push_back(name);
        }
    } while (FindNextFileA(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<std::string> ReadText(const std::string& path) {
    if (!Exists(path)) return std::nullopt;
    const Bytes bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

Recorder::Recorder()
    : window_(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr)) {
    if (!window_) throw std::runtime_error("no window");
    unpacker_.window = window_;
    unpacker_.raiseProgress = [this](int32_t percent) -> std::optional<int32_t> {
        const std::size_t number = reports.size();
        reports.push_back({percent, unpack::CurrentEntry()});
        return answer ? answer(number) : std::nullopt;
    };
}

Recorder::~Recorder() {
    if (IsWindow(window_)) (void)DestroyWindow(window_);
}

std::vector<int32_t> Recorder::percents() const {
    std::vector<int32_t> values;
    for (const Report& r : reports) values.push_back(r.percent);
    return values;
}

int Recorder::Run(const std::string& archive, const std::string& destination, unpack::FailureInfo* failure) {
    reports.clear();
    return unpack::UnpackArchive(unpacker_, archive, destination, failure);
}

}  // namespace fixtures
