// Owners for the Win32 handles the program takes: each one is closed exactly once, by
// its owner's destructor, so an early return or an error path cannot leak it.
#pragma once
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace tunelift::win {

// One owned handle of a kind that Traits describes: its empty value, whether a value
// is a handle at all, and how to close it.
template <typename Traits>
class Owned {
public:
    using Handle = typename Traits::Handle;

    Owned() = default;
    explicit Owned(Handle handle) : handle_(handle) {}
    Owned(Owned&& other) noexcept : handle_(other.release()) {}
    Owned& operator=(Owned&& other) noexcept {
        reset(other.release());
        return *this;
    }
    ~Owned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::Valid(handle_); }
    Handle release() { return std::exchange(handle_, Traits::Empty()); }
    void reset(Handle handle = Traits::Empty()) {
        if (Traits::Valid(handle_)) Traits::Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Traits::Empty();
};

// CreateFileW and FindFirstFileExW say "none" with INVALID_HANDLE_VALUE, other calls
// with null: both count as no handle.
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static bool Valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
};
struct FileHandleTraits : KernelHandleTraits {
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindHandleTraits : KernelHandleTraits {
    static void Close(Handle h) { FindClose(h); }
};
using FileHandle = Owned<FileHandleTraits>;
using FindHandle = Owned<FindHandleTraits>;

template <typename Object>
struct GdiObjectTraits {
    using Handle = Object;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
using FontHandle = Owned<GdiObjectTraits<HFONT>>;

// Memory the shell hands out and the caller frees with CoTaskMemFree (item lists).
template <typename T>
struct CoTaskMemTraits {
    using Handle = T*;
    static Handle Empty() { return nullptr; }
    static bool Valid(Handle p) { return p != nullptr; }
    static void Close(Handle p) { CoTaskMemFree(p); }
};
template <typename T>
using CoTaskMem = Owned<CoTaskMemTraits<T>>;

// A device context from GetDC, given back to the window it came from.
class WindowDc {
public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// The one reference a COM call hands back through its out-parameter.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr() { reset(); }

    Interface* get() const { return p_; }
    Interface* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For the out-parameter of a creating call; drops what was held.
    void** put_void() {
        reset();
        return reinterpret_cast<void**>(&p_);
    }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    Interface* p_ = nullptr;
};

// COM on this thread for the owner's life (the folder picker and accessible names need it).
class ComApartment {
public:
    ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }

private:
    HRESULT result_;
};

}  // namespace tunelift::win
