#pragma once
// The unpacking thread writes to the installer window while the UI thread may
// be about to destroy it. Writes that have begun finish before the window
// goes; once it is going, no new write begins.
namespace installer {

// Unpacking thread: holds the window open for writes, or is empty when the
// window is closing.
class WindowWrites {
public:
    WindowWrites();
    ~WindowWrites();
    WindowWrites(const WindowWrites&) = delete;
    WindowWrites& operator=(const WindowWrites&) = delete;
    explicit operator bool() const { return entered_; }

private:
    bool entered_;
};

// UI thread, before anything destroys the window: no write begins after this,
// and it returns when the writes under way have finished.
void CloseWindowWrites();

}  // namespace installer
