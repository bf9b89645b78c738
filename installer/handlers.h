#pragma once
// The installer's handlers, bound to their events by the form.
#include "services/ui/form.h"

namespace installer {

std::optional<int32_t> OnWindowCreated(const ui::EventArgs&);
std::optional<int32_t> OnDriveChange(const ui::EventArgs&);
std::optional<int32_t> OnCloseButton(const ui::EventArgs&);
std::optional<int32_t> OnMinimiseButton(const ui::EventArgs&);
std::optional<int32_t> OnQueryClose(const ui::EventArgs&);
std::optional<int32_t> OnInstall(const ui::EventArgs&);
std::optional<int32_t> OnProgress(const ui::EventArgs& args);

}  // namespace installer
