#pragma once
// One owner for one COM interface pointer: Release on destruction, no copies.
#include <unknwn.h>

#include <utility>

template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() {
        if (pointer_ != nullptr) (void)pointer_->Release();
    }

    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // The place where a creating call stores the new interface; only for an
    // empty owner.
    void** Out() { return reinterpret_cast<void**>(&pointer_); }

private:
    Interface* pointer_ = nullptr;
};
