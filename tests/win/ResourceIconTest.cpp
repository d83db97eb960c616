// The program's own icon resources: each holds an image drawn at every size the program asks for
// at 100, 125, 150 and 200 %, so that none is made by stretching another.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>
#include <vector>

#include "res/resource.h"

namespace {

// The data of resource `id` of `type` in this program, or nullptr.
const BYTE* ResourceData(LPCWSTR id, LPCWSTR type, DWORD* size) {
    HMODULE self = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(self, id, type);
    HGLOBAL loaded = found != nullptr ? ::LoadResource(self, found) : nullptr;
    *size = found != nullptr ? ::SizeofResource(self, found) : 0;
    return loaded != nullptr ? static_cast<const BYTE*>(::LockResource(loaded)) : nullptr;
}

// A number as PNG stores it (most significant byte first).
uint32_t BigEndian(const BYTE* p) {
    return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
}

// The alpha of the pixel (x, y) of an icon's colour bitmap, as a 32 bpp top-down DIB.
int Alpha(HICON icon, int size, int x, int y) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info)) {
        return -1;
    }
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = size;
    bmi.bmiHeader.biHeight = -size;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    std::vector<uint32_t> bits(static_cast<size_t>(size) * size);
    HDC dc = ::GetDC(nullptr);
    const int rows = ::GetDIBits(dc, info.hbmColor, 0, size, bits.data(), &bmi, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, dc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return rows == size ? static_cast<int>(bits[static_cast<size_t>(y) * size + x] >> 24) : -1;
}

// The icons' images are looked up as Windows looks them up for LoadImage at `size` px: the
// group's directory names the RT_ICON image that fits best. The 16 and 32 px images are the
// 16-colour bitmaps (their BITMAPINFOHEADER says what they truly hold); the others are RGBA PNGs
// (their IHDR says it), which Windows must make an icon of whose alpha keeps the corner (up
// left) clear and the middle opaque.
TEST(ResourceIconTest, EveryIconHoldsAnImageOfEachSizeAtItsDepth) {
    const UINT ids[] = {IDR_MAINFRAME,      IDI_TRAY_HIDDEN,    IDI_TRAY_SHOWN,
                        IDI_GROUP_BASE,     IDI_GROUP_BASE + 1, IDI_GROUP_BASE + 2,
                        IDI_GROUP_BASE + 3, IDI_GROUP_BASE + 4, IDI_GROUP_BASE + 5,
                        IDI_SUBSTITUTE};
    const struct {
        int size;
        bool png;  // else a 16-colour bitmap
    } images[] = {{16, false}, {20, true}, {24, true}, {32, false}, {40, true}, {48, true}};
    constexpr BYTE kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

    for (UINT id : ids) {
        DWORD groupSize = 0;
        const BYTE* group = ResourceData(MAKEINTRESOURCEW(id), RT_GROUP_ICON, &groupSize);
        ASSERT_NE(group, nullptr) << "icon " << id;
        // GRPICONDIR: reserved, type, count; one image per size, none besides.
        WORD count = 0;
        std::memcpy(&count, group + 4, sizeof(count));
        EXPECT_EQ(count, std::size(images)) << "icon " << id;

        for (const auto& want : images) {
            SCOPED_TRACE(testing::Message() << "icon " << id << " at " << want.size << " px");
            const int imageId = ::LookupIconIdFromDirectoryEx(
                const_cast<BYTE*>(group), TRUE, want.size, want.size, LR_DEFAULTCOLOR);
            ASSERT_NE(imageId, 0);
            DWORD imageSize = 0;
            const BYTE* image = ResourceData(MAKEINTRESOURCEW(imageId), RT_ICON, &imageSize);
            ASSERT_NE(image, nullptr);
            ASSERT_GE(imageSize, 40u);
            const bool isPng = std::memcmp(image, kPngSignature, sizeof(kPngSignature)) == 0;
            ASSERT_EQ(isPng, want.png);
            if (!isPng) {
                BITMAPINFOHEADER header;
                std::memcpy(&header, image, sizeof(header));
                EXPECT_EQ(header.biWidth, want.size);
                EXPECT_EQ(header.biHeight, 2 * want.size);  // colour image and mask
                EXPECT_EQ(header.biBitCount, 4);
                continue;
            }
            // IHDR: width, height, 8 bits per sample, colour type 6 (RGBA).
            EXPECT_EQ(std::memcmp(image + 12, "IHDR", 4), 0);
            EXPECT_EQ(BigEndian(image + 16), static_cast<uint32_t>(want.size));
            EXPECT_EQ(BigEndian(image + 20), static_cast<uint32_t>(want.size));
            EXPECT_EQ(image[24], 8);
            EXPECT_EQ(image[25], 6);
            HICON icon = ::CreateIconFromResourceEx(const_cast<BYTE*>(image), imageSize, TRUE,
                                                    0x00030000, want.size, want.size,
                                                    LR_DEFAULTCOLOR);
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(Alpha(icon, want.size, 0, 0), 0);
            EXPECT_EQ(Alpha(icon, want.size, want.size / 2, want.size / 2), 255);
            ::DestroyIcon(icon);
        }
    }
}

}  // namespace
