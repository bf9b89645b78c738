#pragma once
// The window and event services: start-up, windows loaded from their forms,
// properties, events, the message loop, closing and the end of the program.
#include "services/ui/form.h"
#include <string>
#include <vector>

namespace ui {

// Start-up on the calling thread, which becomes the UI thread: error mode,
// OLE, the own folder as current directory, the hidden service window, and
// the form records of every window of the program.
void InitialiseServices(const std::vector<FormTemplate>& forms);
void RegisterExitRoutine(void (*routine)());
void LoadWindow(int window);
// Returns when the UI thread's queue yields WM_QUIT.
void RunMessageLoop();
// Handles what is queued and returns at once when nothing is.
void ProcessEvents();

// Runs the program's entry point, then the normal end with the exit code
// that WM_QUIT carried.
[[noreturn]] void RunProgram(int (*entryPoint)());

enum class Property { Width, Visible, Caption, CurrentDrive, Position };
int32_t ReadInt(ControlAddress address, Property property);
std::string ReadText(ControlAddress address, Property property);
void WriteInt(ControlAddress address, Property property, int32_t value);
void WriteText(ControlAddress address, Property property, const std::string& value);

// The window's handle while it is loaded; null before it is loaded and after
// it is destroyed.
HWND LoadedHandle(int window);

// Posts the close message and returns at once; with atOnce (UI thread only)
// the window is destroyed before the call returns.
void CloseWindow(int window, bool atOnce = false);

struct RaiseResult {
    bool handlerRan = false;
    std::optional<int32_t> value;
};
RaiseResult RaiseEvent(ControlAddress address, int event, const EventArgs& args = {});

[[noreturn]] void EndProgram(int exitCode);
// A run-time failure: error box, then exit code -1 without the exit routines.
[[noreturn]] void FatalStop(const std::string& what);

}  // namespace ui
