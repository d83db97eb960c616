#include "framework/DlgInit.h"

#include <cstring>

namespace {
// Records are packed, so a value can sit at an odd offset: copy it out byte by byte.
template <class T>
T ReadAt(std::span<const std::byte> data, size_t offset) {
    T value{};
    std::memcpy(&value, data.data() + offset, sizeof(T));
    return value;
}

constexpr uint16_t kComboAddString16 = 0x0403;
}  // namespace

std::vector<DlgInitItem> ParseDlgInit(std::span<const std::byte> data) {
    std::vector<DlgInitItem> items;
    size_t pos = 0;
    constexpr size_t kHeader = 2 + 2 + 4;
    while (pos + 2 <= data.size()) {
        uint16_t id = ReadAt<uint16_t>(data, pos);
        if (id == 0 || data.size() - pos < kHeader) {
            break;
        }
        uint16_t message = ReadAt<uint16_t>(data, pos + 2);
        uint32_t length = ReadAt<uint32_t>(data, pos + 4);
        pos += kHeader;
        if (length > data.size() - pos) {
            break;
        }
        const char* text = reinterpret_cast<const char*>(data.data() + pos);
        const void* nul = std::memchr(text, '\0', length);
        size_t textLength =
            nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - text) : length;
        if (message == kComboAddString16) {
            items.push_back({id, std::string(text, textLength)});
        }
        pos += length;
    }
    return items;
}
