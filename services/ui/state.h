#pragma once
// The services' own process-wide state, as one record.
#include "services/ui/form.h"
#include <atomic>
#include <deque>
#include <vector>

namespace ui {

// Private messages: the close message goes to a loaded window, the stop
// message to the hidden service window.
constexpr UINT kCloseMessage = WM_APP + 1;
constexpr UINT kStopMessage = WM_APP + 2;

struct ServicesState {
    std::vector<FormTemplate> templates;
    std::deque<FormRecord> records;  // a deque: records never move once built
    std::atomic<int> suppression{0};
    std::atomic<bool> loopStarted{false};
    std::atomic<bool> shutDownBegun{false};
    std::atomic<DWORD> uiThread{0};
    HWND serviceWindow = nullptr;
    bool oleInitialised = false;
    std::vector<void (*)()> exitRoutines;
    WPARAM quitCode = 0;
};

ServicesState& State();

FormRecord& RecordOf(int window);           // fatal stop when the program has no such window
ControlRecord& RecordOf(ControlAddress address);  // fatal stop when the window has no such control
// The control's window when it is live (its handle passes IsWindow), else null.
HWND LiveWindow(const ControlRecord& record);
bool AnyWindowLive();
bool OnUiThread();
HINSTANCE Instance();

// Window destroyed: the record goes back to its load-time copy.
void RestoreLoadTimeCopy(FormRecord& record);
void TakeLoadTimeCopy(FormRecord& record);

}  // namespace ui
