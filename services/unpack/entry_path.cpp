#include "services/unpack/entry_path.h"

#include <optional>

#include "services/unpack/ansi_chars.h"

namespace unpack {

namespace {

// A UTF-8 name in the ANSI code page; empty when it is not valid UTF-8 or has
// a character the code page cannot hold (no look-alike stand-ins).
std::optional<std::string> Utf8ToAnsi(const std::string& utf8) {
    if (utf8.empty()) return utf8;
    const int size = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
    if (wideLength <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    (void)MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, wide.data(), wideLength);
    BOOL usedDefault = FALSE;
    const int ansiLength =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, nullptr, 0, nullptr, &usedDefault);
    if (ansiLength <= 0 || usedDefault) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    (void)WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, ansi.data(), ansiLength, nullptr,
                              &usedDefault);
    return ansi;
}

// A part made of dots and spaces with two dots or more: Windows trims trailing
// dots and spaces, so ".. " or "..." would climb like "..".
bool ClimbsUp(const std::string& part) {
    std::size_t dots = 0;
    for (char c : part) {
        if (c == '.') ++dots;
        else if (c != ' ') return false;
    }
    return dots >= 2;
}

// name uses "\" separators. A leading "\" (root or UNC), a ":" (drive or
// stream) or a ".." part would take the path outside the destination; a zero
// byte would cut it short where the checks cannot see.
bool StaysInside(const std::string& name) {
    if (name.empty()) return true;
    if (name[0] == '\\' || name.find(':') != std::string::npos || name.find('\0') != std::string::npos) return false;
    std::size_t partStart = 0;
    for (std::size_t i = 0; i < name.size(); i += CharLength(name, i)) {
        if (name[i] != '\\') continue;
        if (ClimbsUp(name.substr(partStart, i - partStart))) return false;
        partStart = i + 1;
    }
    return !ClimbsUp(name.substr(partStart));
}

}  // namespace

EntryPath FormEntryPath(const std::string& destination, const EntryInfo& entry) {
    std::optional<std::string> name = entry.utf8Name ? Utf8ToAnsi(entry.name) : entry.name;
    EntryPath result;
    result.path = destination;
    if (!EndsWithBackslash(destination)) result.path += '\\';
    if (!name || entry.nameTooLong) return result;
    // The one bytewise step: "/" is never the trail byte of a double-byte character.
    for (char& c : *name)
        if (c == '/') c = '\\';
    result.path += *name;
    result.usable = StaysInside(*name) && result.path.size() < MAX_PATH;
    return result;
}

}  // namespace unpack
