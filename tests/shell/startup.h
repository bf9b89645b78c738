#pragma once
// Prepares the test process the way the installer's start-up does: no system
// prompts for drives without a medium, OLE on this thread, the own folder
// fixed and made the current directory.
void StartLikeTheInstaller();
