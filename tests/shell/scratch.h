#pragma once
#include <string>

// A new empty folder for one test under the temporary folder, removed with
// everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    const std::string& path() const { return path_; }
    // path() + "\" + name
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// The names in a folder, "." and ".." left out, sorted.
std::string ListFolder(const std::string& folder);
// The whole content of a file, or empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
