#pragma once
#include <string>

namespace shell {

// Position of the last backslash of an ANSI path, or npos. In code page 936
// the second byte of a double-byte character may be 0x5C; that byte is part
// of the character, not a separator.
std::string::size_type LastSeparator(const std::string& path);

}  // namespace shell
