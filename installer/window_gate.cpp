#include "installer/window_gate.h"
#include "services/ui/services.h"
#include <atomic>

namespace installer {

// Sequentially consistent: either the writer sees the closing flag, or the
// UI thread sees the writer and waits for it.
static std::atomic<bool> closing{false};
static std::atomic<int> writers{0};

WindowWrites::WindowWrites() {
    ++writers;
    entered_ = !closing;
    if (!entered_) --writers;
}

WindowWrites::~WindowWrites() {
    if (entered_) --writers;
}

void CloseWindowWrites() {
    closing = true;
    // A write waits for the UI thread to take its messages, so keep taking them.
    while (writers > 0) {
        ui::ProcessEvents();
        (void)MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}

}  // namespace installer
