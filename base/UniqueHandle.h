// One-line owners for Win32 handles: move-only, with get/reset/release, and
// the scoped kin: a window DC, a BeginPaint/EndPaint pair, and a SelectObject
// that puts the old object back before its own dies.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <type_traits>
#include <utility>

// The handle's owner. `Empty` is a function giving the value that owns
// nothing, when that is not null (a file's INVALID_HANDLE_VALUE).
template <typename Handle, auto Close, auto Empty = nullptr>
class UniqueHandle {
public:
    static Handle EmptyValue() {
        if constexpr (std::is_same_v<decltype(Empty), std::nullptr_t>)
            return Handle{};
        else
            return Empty();
    }

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != EmptyValue(); }

    void reset(Handle handle = EmptyValue()) {
        Handle old = std::exchange(handle_, handle);
        if (old != EmptyValue() && old != handle) Close(old);
    }
    Handle release() { return std::exchange(handle_, EmptyValue()); }

private:
    Handle handle_ = EmptyValue();
};

// Icons that are destroyed come from CopyIcon, or from LoadImageA without
// LR_SHARED; a shared icon (LoadIconA) is never put in a UniqueIcon.
using UniqueIcon = UniqueHandle<HICON, DestroyIcon>;
using UniqueBitmap = UniqueHandle<HBITMAP, DeleteObject>;
using UniqueBrush = UniqueHandle<HBRUSH, DeleteObject>;
using UniquePen = UniqueHandle<HPEN, DeleteObject>;
using UniqueFont = UniqueHandle<HFONT, DeleteObject>;
using UniqueMemoryDC = UniqueHandle<HDC, DeleteDC>;
using UniqueAccelerators = UniqueHandle<HACCEL, DestroyAcceleratorTable>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenu>;
// A drop from the shell: DragFinish frees it.
using UniqueDrop = UniqueHandle<HDROP, DragFinish>;

// What CreateFileA fails with.
inline HANDLE InvalidFileHandle() {
    return INVALID_HANDLE_VALUE;
}
using UniqueFile = UniqueHandle<HANDLE, CloseHandle, InvalidFileHandle>;
// A process or token: null when it could not be opened.
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseHandle>;

// A window DC from GetDC, released to its window.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// WM_PAINT's DC: BeginPaint, and EndPaint at the end of the scope.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC() { EndPaint(window_, &paint_); }
    HDC get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_ = {};
    HDC dc_;
};

// SelectObject for one scope. Declare it after the object it selects, so
// that the old object is back in the DC before the new one is deleted.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : dc_(dc), old_(object ? SelectObject(dc, object) : nullptr) {}
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;
    ~ScopedSelect() {
        if (old_) SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};
