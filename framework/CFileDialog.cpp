#include "framework/CFileDialog.h"

#include <algorithm>

#include "framework/CWnd.h"
#include "framework/Placement.h"
#include "framework/Utf.h"

namespace {

// Runs for the messages of the file dialog's (empty) child of ours: once the dialog is laid
// out, it is centred over the window that opened it (the system places it at that window's
// top left, or where it was last).
UINT_PTR CALLBACK CentreHook(HWND child, UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
        if (notify->hdr.code == CDN_INITDONE && notify->lpOFN->hwndOwner != nullptr) {
            CentreOver(::GetParent(child), notify->lpOFN->hwndOwner);
        }
    }
    return 0;
}

// The longest path the system knows (32767 UTF-16 units) and its NUL: no single chosen file
// can be longer, so FNERR_BUFFERTOOSMALL never has to be handled by asking the user again.
constexpr size_t kPathBufferLength = 32768;
}  // namespace

CFileDialog::CFileDialog(const char* fileName, DWORD flags, const char* filter, CWnd* pParentWnd)
    : m_fileName(Widen(fileName)),
      m_filter(MakeSystemFilter(filter)),
      m_flags(flags),
      m_pParentWnd(pParentWnd) {}

std::wstring CFileDialog::MakeSystemFilter(const char* filter) {
    // '|' is ASCII, so in UTF-8 it is never part of another character: the bars can be
    // replaced after the conversion.
    std::wstring wide = Widen(filter);
    std::replace(wide.begin(), wide.end(), L'|', L'\0');
    // The system reads pairs until an empty description: make sure two NULs end the list even
    // when the string did not end in "||".
    wide.push_back(L'\0');
    wide.push_back(L'\0');
    return wide;
}

INT_PTR CFileDialog::DoModal() {
    std::wstring buffer(kPathBufferLength, L'\0');
    std::copy_n(m_fileName.begin(), std::min(m_fileName.size(), kPathBufferLength - 1),
                buffer.begin());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    ofn.lpstrFilter = m_filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    // A hook makes the dialog fixed in size unless it asks to stay resizable.
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_ENABLEHOOK | OFN_ENABLESIZING;
    ofn.lpfnHook = &CentreHook;
    if (!::GetOpenFileNameW(&ofn)) {
        return IDCANCEL;
    }
    m_strPathName = CString(Narrow(buffer.c_str()));
    return IDOK;
}
