#pragma once
// One owner for each kernel, search and GDI handle. The invalid value and the
// release function are part of the type, so a CreateFileA result (invalid is
// INVALID_HANDLE_VALUE) cannot be mixed up with a CreateThread one (invalid is
// null), and copies, which would release twice, do not compile.
#include <windows.h>
#include <utility>

template <typename T, auto Release, auto Invalid>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T value) : value_(value) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const { return value_; }
    explicit operator bool() const { return value_ != invalid(); }
    T release() { return std::exchange(value_, invalid()); }
    void reset(T value = invalid()) {
        if (value_ != invalid()) (void)Release(value_);
        value_ = value;
    }

private:
    static T invalid() { return (T)Invalid; }
    T value_ = invalid();
};

namespace handle_detail {
inline BOOL CloseGdiObject(HGDIOBJ object) { return DeleteObject(object); }
}

// Handles whose failure value is null (CreateThread, CreateProcessA, OpenProcess...).
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle, 0>;
// Handles whose failure value is INVALID_HANDLE_VALUE (CreateFileA).
using UniqueFileHandle = UniqueHandle<HANDLE, CloseHandle, -1>;
// FindFirstFileA search handles.
using UniqueFindHandle = UniqueHandle<HANDLE, FindClose, -1>;
template <typename G>
using UniqueGdi = UniqueHandle<G, handle_detail::CloseGdiObject, 0>;
using UniqueDc = UniqueHandle<HDC, DeleteDC, 0>;
