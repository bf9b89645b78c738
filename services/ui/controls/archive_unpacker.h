#pragma once
#include "services/ui/controls/control.h"
#include "services/unpack/unpack.h"

namespace ui {

// The archive unpacker component: an invisible child window whose progress
// event the unpacking service raises.
class ArchiveUnpacker : public Control {
public:
    using Control::Control;
    HWND Create(HWND parent) override;
};

// The component at this address as the unpacking service sees it.
unpack::Unpacker UnpackerOf(ControlAddress address);

}  // namespace ui
