// Pictures as numbers: an icon drawn into a 32 bpp DIB over a known background, so that two
// icons can be told apart (or found equal) pixel by pixel.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace pixels {

inline constexpr uint32_t kBackground = 0x00FF00FF;  // magenta, in no icon of ours

// The icon drawn at size x size with DI_NORMAL over kBackground; empty for a null icon.
std::vector<uint32_t> RenderIcon(HICON icon, int size);
// Width and height of an icon's colour (or mask) bitmap.
SIZE IconSize(HICON icon);
// The program's icon resource at this size.
HICON LoadProgramIcon(UINT id, int size);

}  // namespace pixels
