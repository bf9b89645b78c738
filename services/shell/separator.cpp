#include "services/shell/separator.h"

#include <windows.h>

namespace shell {

std::string::size_type LastSeparator(const std::string& path) {
    std::string::size_type last = std::string::npos;
    for (std::string::size_type i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<BYTE>(path[i]);
        if (IsDBCSLeadByte(byte) && i + 1 < path.size()) {
            ++i;  // the trail byte is never a separator
        } else if (byte == '\\') {
            last = i;
        }
    }
    return last;
}

}  // namespace shell
