// The owners of the system's handles: each kind of handle the program makes
// is held by one of these and freed by it, whatever way the scope is left.
// GDI objects are typed (a font is an HFONT), so no user casts.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

namespace ui {

// Owns one handle and frees it with `Free` when it goes.
template <class H, void (*Free)(H)>
class Owned {
public:
    Owned() = default;
    explicit Owned(H handle) : handle_(handle) {}
    ~Owned() { Reset(); }
    Owned(Owned&& other) noexcept : handle_(other.Release()) {}
    Owned& operator=(Owned&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    H Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives up ownership (the system takes a region given to SetWindowRgn).
    H Release() { return std::exchange(handle_, nullptr); }
    void Reset(H handle = nullptr) {
        if (handle_) Free(handle_);
        handle_ = handle;
    }

private:
    H handle_ = nullptr;
};

template <class H>
void DeleteGdiObject(H object) {
    DeleteObject(object);
}
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
inline void DeleteMemoryDC(HDC dc) { DeleteDC(dc); }
inline void CloseKernelHandle(HANDLE handle) { CloseHandle(handle); }

// A font, brush, pen, bitmap or region of our own.
template <class H>
using GdiObject = Owned<H, DeleteGdiObject<H>>;
using OwnedIcon = Owned<HICON, DestroyIconHandle>;
using RegistryKey = Owned<HKEY, CloseRegistryKey>;
// A memory device context from CreateCompatibleDC.
using MemoryDC = Owned<HDC, DeleteMemoryDC>;
// A process, access token or file; CreateFile's INVALID_HANDLE_VALUE is given
// through OpenedFile, which holds it as none.
using KernelHandle = Owned<HANDLE, CloseKernelHandle>;
inline HANDLE OpenedFile(HANDLE file) { return file == INVALID_HANDLE_VALUE ? nullptr : file; }

// A window's device context (the screen's for a null window) from GetDC,
// released with the scope.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd = nullptr) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Holds one reference to a COM object. `Put()` hands the slot to a function
// that returns an object through a T** (an interface query, a shell call).
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** Put() {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }

private:
    T* p_ = nullptr;
};

}  // namespace ui
