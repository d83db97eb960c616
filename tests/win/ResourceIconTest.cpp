// The program's own icon resources: each holds an image drawn at every size the program asks for
// at 100, 125, 150 and 200 %, so that none is made by stretching another.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <iterator>

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

// The icons' images are looked up as Windows looks them up for LoadImage at `size` px: the
// group's directory names the RT_ICON image that fits best, whose BITMAPINFOHEADER says what it
// truly holds. The 16 and 32 px images are the 16-colour ones; the others are true colour, whose
// alpha must keep the corner (up left) clear and the middle opaque in every picture.
TEST(ResourceIconTest, EveryIconHoldsAnImageOfEachSizeAtItsDepth) {
    const UINT ids[] = {IDR_MAINFRAME,      IDI_TRAY_HIDDEN,    IDI_TRAY_SHOWN,
                        IDI_GROUP_BASE,     IDI_GROUP_BASE + 1, IDI_GROUP_BASE + 2,
                        IDI_GROUP_BASE + 3, IDI_GROUP_BASE + 4, IDI_GROUP_BASE + 5,
                        IDI_SUBSTITUTE};
    const struct {
        int size;
        WORD bits;
    } images[] = {{16, 4}, {20, 32}, {24, 32}, {32, 4}, {40, 32}, {48, 32}};

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
            ASSERT_GE(imageSize, sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            std::memcpy(&header, image, sizeof(header));
            EXPECT_EQ(header.biWidth, want.size);
            EXPECT_EQ(header.biHeight, 2 * want.size);  // colour image and mask
            EXPECT_EQ(header.biBitCount, want.bits);
            if (header.biBitCount != 32 || header.biWidth != want.size) {
                continue;
            }
            // BGRA rows, the bottom one first, then the mask.
            const size_t rowBytes = static_cast<size_t>(want.size) * 4;
            ASSERT_GE(imageSize, sizeof(header) + rowBytes * want.size);
            auto alpha = [&](int x, int y) {
                return image[sizeof(header) + rowBytes * (want.size - 1 - y) + x * 4 + 3];
            };
            EXPECT_EQ(alpha(0, 0), 0);
            EXPECT_EQ(alpha(want.size / 2, want.size / 2), 255);
        }
    }
}

}  // namespace
