#include "entries/StoreJournal.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

#include "entries/StoreNames.h"
#include "framework/CWinApp.h"
#include "framework/Utf.h"
#include "framework/WinHandles.h"

namespace {

// A part of the journal stays well below the sizes the registry handles comfortably in one
// value; a save of a thousand long entries takes several.
constexpr size_t kPartBytes = 256 * 1024;
// More parts than any real save needs: a count above it is damage, not a journal.
constexpr DWORD kMaxParts = 4096;

std::wstring PartName(DWORD n) { return std::to_wstring(n); }

std::wstring JournalKeyName() { return Widen(store_names::kJournalSection); }
std::wstring PartsValueName() { return Widen(store_names::kJournalParts); }

bool SetValue(HKEY key, const std::wstring& name, DWORD type, const void* data, size_t bytes) {
    return ::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                            static_cast<DWORD>(bytes)) == ERROR_SUCCESS;
}

// Drops the journal key and anything below it.
void DropJournal(HKEY app) { ::RegDeleteTreeW(app, JournalKeyName().c_str()); }

// The journal's bytes, or nothing when it is incomplete (no count of parts: the save never
// began on the store) or damaged.
std::optional<std::string> ReadJournal(HKEY journal) {
    DWORD parts = 0;
    DWORD type = 0;
    DWORD size = sizeof(parts);
    if (::RegQueryValueExW(journal, PartsValueName().c_str(), nullptr, &type,
                           reinterpret_cast<BYTE*>(&parts), &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(parts) || parts == 0 || parts > kMaxParts) {
        return std::nullopt;
    }
    std::string bytes;
    for (DWORD n = 1; n <= parts; ++n) {
        const std::wstring name = PartName(n);
        size = 0;
        if (::RegQueryValueExW(journal, name.c_str(), nullptr, &type, nullptr, &size) !=
                ERROR_SUCCESS ||
            type != REG_BINARY || size > kPartBytes) {
            return std::nullopt;
        }
        const size_t at = bytes.size();
        bytes.resize(at + size);
        if (::RegQueryValueExW(journal, name.c_str(), nullptr, &type,
                               reinterpret_cast<BYTE*>(bytes.data() + at),
                               &size) != ERROR_SUCCESS ||
            at + size != bytes.size()) {
            return std::nullopt;
        }
    }
    return bytes;
}

}  // namespace

bool StoreJournal::Apply(CWinApp& app, const StoreBatch& batch) {
    UniqueRegKey root = app.GetAppRegistryKey();
    if (!root) {
        return false;
    }
    bool ok = true;
    UniqueRegKey section;
    const CString* open = nullptr;  // the section `section` holds
    for (const StoreBatch::Write& w : batch.Writes()) {
        if (open == nullptr || *open != w.section) {
            // A backslash in the section name makes nested keys; RegCreateKeyEx creates every
            // level.
            HKEY key = nullptr;
            const LSTATUS made = ::RegCreateKeyExW(root.Get(), Widen(w.section.View()).c_str(), 0,
                                                   nullptr, REG_OPTION_NON_VOLATILE,
                                                   KEY_READ | KEY_WRITE, nullptr, &key, nullptr);
            section = UniqueRegKey(made == ERROR_SUCCESS ? key : nullptr);
            open = &w.section;
        }
        if (!section) {
            ok = false;
            continue;
        }
        const std::wstring name = Widen(w.name.View());
        if (w.isNumber) {
            const DWORD value = static_cast<DWORD>(w.number);
            ok = SetValue(section.Get(), name, REG_DWORD, &value, sizeof(value)) && ok;
        } else {
            const std::wstring text = Widen(w.text.View());
            ok = SetValue(section.Get(), name, REG_SZ, text.c_str(),
                          (text.size() + 1) * sizeof(wchar_t)) &&
                 ok;
        }
    }
    return ok;
}

bool StoreJournal::Commit(CWinApp& app, const StoreBatch& batch) {
    UniqueRegKey root = app.GetAppRegistryKey();
    if (!root) {
        return false;
    }
    // What an earlier save left behind is older than this batch.
    DropJournal(root.Get());
    const std::string bytes = batch.Serialize();
    bool written = false;
    {
        UniqueRegKey journal = app.GetSectionKey(store_names::kJournalSection);
        if (journal) {
            written = true;
            DWORD parts = 0;
            for (size_t at = 0; written && at < bytes.size(); at += kPartBytes) {
                const size_t n = std::min(kPartBytes, bytes.size() - at);
                written =
                    SetValue(journal.Get(), PartName(++parts), REG_BINARY, bytes.data() + at, n);
            }
            // The count goes last: only with it is the journal complete.
            written = written &&
                      SetValue(journal.Get(), PartsValueName(), REG_DWORD, &parts, sizeof(parts));
        }
    }
    if (!written) {
        // Without a journal the save is still better made than lost.
        DropJournal(root.Get());
        return Apply(app, batch);
    }
    if (!Apply(app, batch)) {
        return false;
    }
    DropJournal(root.Get());
    return true;
}

void StoreJournal::Recover(CWinApp& app) {
    UniqueRegKey root = app.GetAppRegistryKey();
    if (!root) {
        return;
    }
    std::optional<std::string> bytes;
    {
        // Opened, not created: a start without a journal must not make one.
        HKEY key = nullptr;
        if (::RegOpenKeyExW(root.Get(), JournalKeyName().c_str(), 0, KEY_READ, &key) !=
            ERROR_SUCCESS) {
            return;
        }
        UniqueRegKey journal(key);
        bytes = ReadJournal(journal.Get());
    }
    if (bytes) {
        std::optional<StoreBatch> batch = StoreBatch::Parse(*bytes);
        if (batch && !Apply(app, *batch)) {
            return;  // kept for the next start
        }
    }
    DropJournal(root.Get());
}
