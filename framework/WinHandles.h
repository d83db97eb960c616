// Small move-only owners for Win32 handles. A borrowed handle stays a plain HICON/HKEY/...;
// only these types ever close one.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : m_h(h) {}
    ~UniqueHandle() { Reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_h(other.Release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Handle Get() const { return m_h; }
    explicit operator bool() const { return m_h != Traits::Invalid(); }

    // Gives up ownership without closing.
    Handle Release() { return std::exchange(m_h, Traits::Invalid()); }

    void Reset(Handle h = Traits::Invalid()) {
        Handle old = std::exchange(m_h, h);
        if (old != Traits::Invalid()) {
            Traits::Close(old);
        }
    }

private:
    Handle m_h = Traits::Invalid();
};

struct IconTraits {
    using Handle = HICON;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DestroyIcon(h); }
};
struct RegKeyTraits {
    using Handle = HKEY;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::RegCloseKey(h); }
};
struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};
struct ModuleTraits {
    using Handle = HMODULE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::FreeLibrary(h); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle h) { ::ImageList_Destroy(h); }
};

using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueGdiObject = UniqueHandle<GdiObjectTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueModule = UniqueHandle<ModuleTraits>;

// The device context GetDC lends for a window (null: the whole screen), given back when the
// owner goes. Lent, not owned, so it is neither copied nor moved.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) : m_hwnd(hwnd), m_dc(::GetDC(hwnd)) {}
    ~WindowDc() {
        if (m_dc != nullptr) {
            ::ReleaseDC(m_hwnd, m_dc);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_hwnd;
    HDC m_dc;
};
