#pragma once
// Form records: what a window and its controls are, as data that Load window
// creates live controls from. The static part (kind, look, bindings) never
// changes; the stored common properties and the live reference are atomics
// because the unpacking thread reads and writes them while the UI thread owns
// the window.
#include <windows.h>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ui {

enum class Kind { Window, Label, DriveSelector, SuperButton, ArchiveUnpacker };

// Up to five 32-bit arguments of an event.
struct EventArgs {
    int32_t value[5] = {};
    int count = 0;
};
// A handler returns a value, or nothing.
using Handler = std::optional<int32_t> (*)(const EventArgs&);

struct Binding {
    int event;
    Handler handler;
};

// Events of a window. The created event is the one the installer uses; the two
// notifications after it and the two close queries have no handler in the
// installer's own form unless it needs one.
enum WindowEvent { kCreated = 0, kShownNotice = 1, kActivatedNotice = 2, kQueryClose = 3, kQueryUnload = 4 };
// Events of the controls.
enum ControlEvent { kChange = 0, kClick = 0, kProgress = 1 };

// A font: the stock DEFAULT_GUI_FONT, or one made from a LOGFONT with this
// height and weight and no face name.
struct FontSpec {
    bool stock = true;
    LONG height = 0;
    LONG weight = 0;
};

// PNG data held by the form: an RCDATA resource of the executable.
struct PictureSpec {
    const char* resource = nullptr;
};

struct WindowLook {
    COLORREF background = RGB(255, 255, 255);
    const char* icon = nullptr;  // icon resource name
    bool dragAnywhere = false;
    bool escapeCloses = false;
    int position = 0;  // 0 normal, 1 centred, 2 minimised, 3 maximised
};

struct LabelLook {
    std::string caption;
    COLORREF text = RGB(0, 0, 0);
    COLORREF fill = RGB(255, 255, 255);
    bool fillIsButtonFace = false;  // the system colour COLOR_BTNFACE
    FontSpec font;
    PictureSpec picture;
    std::vector<COLORREF> gradient;
};

struct ButtonLook {
    std::string text;
    std::string tooltip;
    FontSpec font;
    PictureSpec picture;
    COLORREF faceNormal = 0, faceHot = 0, faceFocused = 0;
    COLORREF textNormal = 0, textHot = 0, textFocused = 0;
};

// What the form says of one control (or of the window itself, control 0).
struct ControlTemplate {
    std::string name;
    Kind kind = Kind::Label;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool tabStop = false;
    WindowLook window;
    LabelLook label;
    ButtonLook button;
    std::vector<Binding> bindings;
};

// A window's form: control 0 is the window itself, the others are its
// controls in stacking order, topmost first.
struct FormTemplate {
    std::vector<ControlTemplate> controls;
};

// The stored common properties of one control.
struct StoredValues {
    int32_t width = 0;
    bool visible = false;
};

struct ControlRecord {
    const ControlTemplate* form = nullptr;
    std::atomic<int32_t> width{0};
    std::atomic<bool> visible{false};
    std::atomic<HWND> live{nullptr};  // the live control's window while the window exists
};

struct FormRecord {
    const FormTemplate* form = nullptr;
    std::vector<ControlRecord> controls;
    std::vector<StoredValues> loadTimeCopy;
    std::atomic<bool> destroyPending{false};
};

// The address by which the program names a window (control 0) or a control.
struct ControlAddress {
    int window = 0;
    int control = 0;
};

}  // namespace ui
