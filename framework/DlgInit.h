// The initialisation data of a dialog template (resource type 240, same id as the template):
// items that the framework adds to combo boxes before the dialog's data exchange, so that no
// code has to put them in.
//
// Layout, one record after another with no padding, ended by a control id of 0:
//   WORD control id, WORD message, DWORD data length, data (the item text, NUL-terminated).
// An item for a combo box has the message 0x0403, the number the add-string message had in
// 16-bit Windows, which is what resource scripts write. Our resource script writes the item
// texts as narrow strings under code page 65001, which windres stores byte for byte: the texts
// are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct DlgInitItem {
    uint16_t controlId = 0;
    std::string text;  // UTF-8, up to the first NUL of the record's data

    friend bool operator==(const DlgInitItem&, const DlgInitItem&) = default;
};

// The combo box items of the data, in order. Records with another message are skipped. A record
// that claims more data than is left ends the reading: what came before it is kept.
std::vector<DlgInitItem> ParseDlgInit(std::span<const std::byte> data);
