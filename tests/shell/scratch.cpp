#include "tests/shell/scratch.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "services/shell/handle.h"

ScratchFolder::ScratchFolder() {
    // Wine reuses process ids, and a killed run leaves its folders behind:
    // take the first name that is not there yet.
    static int counter = 0;
    char temp[MAX_PATH];
    (void)GetTempPathA(sizeof temp, temp);
    do {
        path_ = std::string(temp) + "tolvane-shell-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(++counter);
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

ScratchFolder::~ScratchFolder() {
    // A program started from here may still be on its way out, its file in use.
    for (int attempt = 0; attempt < 50; ++attempt) {
        std::error_code error;
        std::filesystem::remove_all(path_, error);
        if (!error) return;
        Sleep(40);
    }
}

std::string ListFolder(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const UniqueFindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (search) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (FindNextFileA(search.get(), &found));
    }
    std::sort(names.begin(), names.end());
    std::string list;
    for (const auto& name : names) list += (list.empty() ? "" : " ") + name;
    return list;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
