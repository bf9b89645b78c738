#pragma once
// A small window of every control kind, for testing the services in-process.
#include "services/ui/services.h"
#include <atomic>
#include <string>
#include <utility>

namespace test_form {

enum Control : int { 窗口 = 0, 标签, 进度条, 驱动器框, 按钮, 解压 };
constexpr ui::ControlAddress At(Control c) { return {0, c}; }

// What the handlers saw.
struct Seen {
    std::atomic<int> created{0}, changes{0}, clicks{0};
    std::atomic<bool> hiddenAtCreation{false}, controlsLiveAtCreation{false};
    std::atomic<int32_t> clickAnswer{7};
};
Seen& seen();

// Starts the services once for this process with the test form.
void StartServices();
// Runs this function inside the click handler of 按钮 (then it answers clickAnswer).
void OnClickRun(void (*action)());

}  // namespace test_form
