#include "tests/support/Pixels.h"

#include <algorithm>

#include "framework/Afx.h"
#include "framework/WinHandles.h"

namespace pixels {

std::vector<uint32_t> RenderIcon(HICON icon, int size) {
    if (icon == nullptr) {
        return {};
    }
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size;
    bmi.bmiHeader.biHeight = -size;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    UniqueGdiObject dib(::CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0));
    HGDIOBJ old = ::SelectObject(dc, dib.Get());
    auto* p = static_cast<uint32_t*>(bits);
    std::fill(p, p + size * size, kBackground);
    ::DrawIconEx(dc, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    ::GdiFlush();
    std::vector<uint32_t> out(p, p + size * size);
    for (uint32_t& px : out) {
        px &= 0x00FFFFFF;
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    return out;
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    SIZE size{0, 0};
    if (icon == nullptr || !::GetIconInfo(icon, &info)) {
        return size;
    }
    BITMAP bm{};
    if (info.hbmColor != nullptr) {
        ::GetObjectW(info.hbmColor, sizeof(bm), &bm);
        size = {bm.bmWidth, bm.bmHeight};
    } else if (info.hbmMask != nullptr) {
        ::GetObjectW(info.hbmMask, sizeof(bm), &bm);
        size = {bm.bmWidth, bm.bmHeight / 2};  // a monochrome icon stacks AND and XOR masks
    }
    if (info.hbmColor != nullptr) {
        ::DeleteObject(info.hbmColor);
    }
    if (info.hbmMask != nullptr) {
        ::DeleteObject(info.hbmMask);
    }
    return size;
}

HICON LoadProgramIcon(UINT id, int size) {
    return static_cast<HICON>(::LoadImageW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                           size, size, LR_DEFAULTCOLOR));
}

}  // namespace pixels
