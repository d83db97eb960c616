// Changes to the settings store, collected in the order they are to be made. A batch turns into
// bytes and back, so that a save can be written down whole before any of it is made.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/CString.h"

class StoreBatch {
public:
    struct Write {
        CString section;  // below the program's key; a backslash makes nested keys
        CString name;
        bool isNumber = false;  // REG_DWORD `number`, else REG_SZ `text`
        int number = 0;
        CString text;
    };

    void WriteInt(const CString& section, const CString& name, int value);
    void WriteString(const CString& section, const CString& name, const CString& value);

    const std::vector<Write>& Writes() const { return m_writes; }
    bool IsEmpty() const { return m_writes.empty(); }

    std::string Serialize() const;
    // The batch the bytes of Serialize stand for; nothing for any other bytes (cut short, with
    // bytes left over, or damaged).
    static std::optional<StoreBatch> Parse(std::string_view bytes);

private:
    std::vector<Write> m_writes;
};
