#include "tests/support/Pixels.h"

#include <algorithm>

#include "framework/Afx.h"
#include "framework/WinHandles.h"

namespace pixels {

Canvas::Canvas(int width, int height, uint32_t fill) : m_width(width), m_height(height) {
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;  // top-down: row 0 first
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    m_dc = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_dib = ::CreateDIBSection(m_dc, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<uint32_t*>(bits);
    std::fill(m_bits, m_bits + width * height, fill);
    m_old = ::SelectObject(m_dc, m_dib);
}

Canvas::~Canvas() {
    ::SelectObject(m_dc, m_old);
    ::DeleteObject(m_dib);
    ::DeleteDC(m_dc);
}

uint32_t Canvas::At(int x, int y) const {
    ::GdiFlush();
    return m_bits[y * m_width + x] & 0x00FFFFFF;
}

std::vector<uint32_t> Canvas::Pixels() const {
    ::GdiFlush();
    std::vector<uint32_t> out(m_bits, m_bits + m_width * m_height);
    for (uint32_t& px : out) {
        px &= 0x00FFFFFF;
    }
    return out;
}

std::vector<uint32_t> RenderIcon(HICON icon, int size) {
    if (icon == nullptr) {
        return {};
    }
    Canvas canvas(size, size, kBackground);
    ::DrawIconEx(canvas.Dc(), 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    return canvas.Pixels();
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
