// Pictures as numbers: an icon drawn into a 32 bpp DIB over a known background, so that two
// icons can be told apart (or found equal) pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace pixels {

// A memory DC with a 32 bpp top-down DIB selected, every pixel filled with `fill` to start with.
class Canvas {
public:
    static constexpr uint32_t kBlank = 0x123456;
    Canvas(int width, int height, uint32_t fill = kBlank);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return m_dc; }
    // The pixel as 0x00RRGGBB, after the pending drawing is done.
    uint32_t At(int x, int y) const;
    std::vector<uint32_t> Pixels() const;
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_old = nullptr;
    uint32_t* m_bits = nullptr;
};

inline constexpr uint32_t kBackground = 0x00FF00FF;  // magenta, in no icon of ours

// The icon drawn at size x size with DI_NORMAL over kBackground; empty for a null icon.
std::vector<uint32_t> RenderIcon(HICON icon, int size);
// Width and height of an icon's colour (or mask) bitmap.
SIZE IconSize(HICON icon);
// The program's icon resource at this size.
HICON LoadProgramIcon(UINT id, int size);

}  // namespace pixels
