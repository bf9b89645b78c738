#include "services/ui/controls/archive_unpacker.h"
#include "services/ui/state.h"

namespace ui {

HWND ArchiveUnpacker::Create(HWND parent) {
    const ControlTemplate& f = Form();
    hwnd_ = CreateWindowExA(0, "STATIC", "", WS_CHILD, f.left, f.top, f.width, f.height, parent, nullptr,
                            Instance(), nullptr);
    if (hwnd_) AttachControl(hwnd_, this);
    return hwnd_;
}

unpack::Unpacker UnpackerOf(ControlAddress address) {
    unpack::Unpacker unpacker;
    unpacker.window = LiveWindow(RecordOf(address));
    unpacker.raiseProgress = [address](int32_t percent) {
        EventArgs args;
        args.value[0] = percent;
        args.count = 1;
        return RaiseEvent(address, kProgress, args).value;
    };
    return unpacker;
}

}  // namespace ui
