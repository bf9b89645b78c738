#pragma once
// The installer's three texts. They are written on the UI thread only; an
// install run takes its own copies when it starts.
#include <string>

namespace installer {

extern std::string installFolder;    // drive letter + ":\tolv"
extern std::string programFileName;  // "Tolvane.exe"
extern std::string shortcutName;     // "Tolvane"

// Releases the three texts; registered as the exit routine.
void ReleaseTexts();

}  // namespace installer
