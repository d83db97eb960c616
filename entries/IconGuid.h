// The GUID by which the shell tells one tray icon of the program from another, so that the
// place a user gave an icon in the taskbar's settings stays with it. Laid out as the system's
// GUID; stored in the registry form {xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct IconGuid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    std::array<uint8_t, 8> data4{};

    // The all-zero GUID stands for none: the icon is told apart by its window and identifier.
    bool IsNull() const { return *this == IconGuid{}; }
    friend bool operator==(const IconGuid&, const IconGuid&) = default;
};

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" in capitals, as the system writes GUIDs.
std::string FormatIconGuid(const IconGuid& guid);
// The registry form, hex digits of either case; nothing for any other text and for the null GUID.
std::optional<IconGuid> ParseIconGuid(std::string_view text);
// The name-based GUID (version 5: SHA-1 of the program's own namespace and the name's bytes) of
// `name`: the same name always gives the same GUID, and different names practically never do.
IconGuid NameBasedIconGuid(std::string_view name);
// Makes a random 16 bytes a version 4 GUID.
IconGuid RandomIconGuid(const std::array<uint8_t, 16>& random);
