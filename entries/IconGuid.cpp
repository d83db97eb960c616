#include "entries/IconGuid.h"

#include <cstdio>

namespace {

// SHA-1 (FIPS 180-4) of a message, for name-based GUIDs only.
std::array<uint8_t, 20> Sha1(std::string_view message) {
    uint32_t h[5] = {0x67452301, 0xEFCDAB89, 0x98BADCFE, 0x10325476, 0xC3D2E1F0};
    auto rotl = [](uint32_t x, int n) { return (x << n) | (x >> (32 - n)); };
    std::string padded(message);
    const uint64_t bits = static_cast<uint64_t>(message.size()) * 8;
    padded.push_back(static_cast<char>(0x80));
    while (padded.size() % 64 != 56) {
        padded.push_back('\0');
    }
    for (int i = 7; i >= 0; --i) {
        padded.push_back(static_cast<char>((bits >> (i * 8)) & 0xFF));
    }
    for (size_t block = 0; block < padded.size(); block += 64) {
        uint32_t w[80];
        for (int i = 0; i < 16; ++i) {
            const auto* p = reinterpret_cast<const unsigned char*>(padded.data() + block + i * 4);
            w[i] = (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | (uint32_t{p[2]} << 8) | p[3];
        }
        for (int i = 16; i < 80; ++i) {
            w[i] = rotl(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);
        }
        uint32_t a = h[0], b = h[1], c = h[2], d = h[3], e = h[4];
        for (int i = 0; i < 80; ++i) {
            uint32_t f, k;
            if (i < 20) {
                f = (b & c) | (~b & d);
                k = 0x5A827999;
            } else if (i < 40) {
                f = b ^ c ^ d;
                k = 0x6ED9EBA1;
            } else if (i < 60) {
                f = (b & c) | (b & d) | (c & d);
                k = 0x8F1BBCDC;
            } else {
                f = b ^ c ^ d;
                k = 0xCA62C1D6;
            }
            const uint32_t t = rotl(a, 5) + f + e + k + w[i];
            e = d;
            d = c;
            c = rotl(b, 30);
            b = a;
            a = t;
        }
        h[0] += a;
        h[1] += b;
        h[2] += c;
        h[3] += d;
        h[4] += e;
    }
    std::array<uint8_t, 20> digest{};
    for (int i = 0; i < 20; ++i) {
        digest[i] = static_cast<uint8_t>(h[i / 4] >> (24 - 8 * (i % 4)));
    }
    return digest;
}

// A GUID from 16 bytes in the order they are written (data1 to data3 most significant first),
// with the version and the variant of RFC 4122 set.
IconGuid FromBytes(const uint8_t* b, int version) {
    IconGuid g;
    g.data1 = (uint32_t{b[0]} << 24) | (uint32_t{b[1]} << 16) | (uint32_t{b[2]} << 8) | b[3];
    g.data2 = static_cast<uint16_t>((b[4] << 8) | b[5]);
    g.data3 = static_cast<uint16_t>((((b[6] & 0x0F) | (version << 4)) << 8) | b[7]);
    for (int i = 0; i < 8; ++i) {
        g.data4[i] = b[8 + i];
    }
    g.data4[0] = static_cast<uint8_t>((g.data4[0] & 0x3F) | 0x80);
    return g;
}

// The namespace of the program's name-based GUIDs, a GUID of its own.
constexpr uint8_t kNamespace[16] = {0x5B, 0x1E, 0x8C, 0x27, 0x43, 0xD0, 0x4F, 0x6A,
                                    0x9E, 0x21, 0x7C, 0x55, 0xB8, 0x03, 0xE6, 0x94};

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::string FormatIconGuid(const IconGuid& g) {
    char text[39];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(g.data1), static_cast<unsigned>(g.data2),
                  static_cast<unsigned>(g.data3), g.data4[0], g.data4[1], g.data4[2], g.data4[3],
                  g.data4[4], g.data4[5], g.data4[6], g.data4[7]);
    return text;
}

std::optional<IconGuid> ParseIconGuid(std::string_view text) {
    // Where the hex digits stand: 32 of them between the braces and the four dashes.
    constexpr std::string_view kShape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != kShape.size()) {
        return std::nullopt;
    }
    uint8_t bytes[16] = {};
    int nibble = 0;
    for (size_t i = 0; i < kShape.size(); ++i) {
        if (kShape[i] != 'X') {
            if (text[i] != kShape[i]) {
                return std::nullopt;
            }
            continue;
        }
        const int digit = HexDigit(text[i]);
        if (digit < 0) {
            return std::nullopt;
        }
        bytes[nibble / 2] =
            static_cast<uint8_t>(bytes[nibble / 2] | (digit << (nibble % 2 ? 0 : 4)));
        ++nibble;
    }
    IconGuid g;
    g.data1 = (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
              bytes[3];
    g.data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
    g.data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) {
        g.data4[i] = bytes[8 + i];
    }
    if (g.IsNull()) {
        return std::nullopt;
    }
    return g;
}

IconGuid NameBasedIconGuid(std::string_view name) {
    std::string message(reinterpret_cast<const char*>(kNamespace), sizeof(kNamespace));
    message.append(name);
    const std::array<uint8_t, 20> digest = Sha1(message);
    return FromBytes(digest.data(), 5);
}

IconGuid RandomIconGuid(const std::array<uint8_t, 16>& random) {
    return FromBytes(random.data(), 4);
}
