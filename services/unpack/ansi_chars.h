#pragma once
// Paths are ANSI texts in a double-byte code page (936): a lead byte and the
// byte after it are one character, so a trail byte 0x5C is never a "\".
#include <windows.h>
#include <cstddef>
#include <string>

namespace unpack {

// Length in bytes (1 or 2) of the character that starts at offset i of text.
inline std::size_t CharLength(const std::string& text, std::size_t i) {
    return IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// True when the last character of text is a "\" (not the trail byte of a double-byte character).
inline bool EndsWithBackslash(const std::string& text) {
    std::size_t last = std::string::npos;
    for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) last = i;
    return last != std::string::npos && text[last] == '\\' && last + 1 == text.size();
}

}  // namespace unpack
