#pragma once
// A live control on a loaded window. Each kind creates its own child window
// and reacts to what the parent reflects to it.
#include "services/ui/form.h"
#include "services/ui/services.h"
#include <memory>

namespace ui {

class Control {
public:
    Control(ControlAddress address, const ControlTemplate& form) : address_(address), form_(form) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Creates the control's window, hidden, as a child of parent.
    virtual HWND Create(HWND parent) = 0;
    // Notifications and owner drawing, reflected by the parent.
    virtual void OnCommand(WORD) {}
    virtual void OnDrawItem(const DRAWITEMSTRUCT&) {}
    // Labels pass a press on to the window as a drag and never see it.
    virtual bool DragsWindow() const { return false; }

    HWND Handle() const { return hwnd_; }
    const ControlTemplate& Form() const { return form_; }

protected:
    RaiseResult Raise(int event, const EventArgs& args = {}) { return RaiseEvent(address_, event, args); }
    HWND hwnd_ = nullptr;

private:
    ControlAddress address_;
    const ControlTemplate& form_;
};

// The control object of a control window made by the services, or null.
Control* ControlOf(HWND hwnd);
void AttachControl(HWND hwnd, Control* control);
void DetachControl(HWND hwnd);

std::unique_ptr<Control> MakeControl(ControlAddress address, const ControlTemplate& form);

}  // namespace ui
