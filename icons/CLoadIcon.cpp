#include "icons/CLoadIcon.h"

#include <shellapi.h>

#include <climits>

#include "entries/PathParts.h"
#include "framework/Utf.h"

IMPLEMENT_DYNCREATE(CLoadIcon, CObject)

BOOL CLoadIcon::Create(BOOL bSmall) {
    m_nCount = 0;
    m_bSmall = bSmall;
    int size = bSmall != FALSE ? 16 : 32;
    return m_imageList.Create(size, size, ILC_COLORDDB | ILC_MASK, 0, 0);
}

void CLoadIcon::SetFile(const CString& path) {
    m_strFile = path;
    m_strExt = PathExtension(path);
    m_nCount = HasIconsByIndex() ? kNotCounted : 1;
}

int CLoadIcon::GetCount() {
    if (m_nCount == kNotCounted) {
        UINT count = ::ExtractIconExW(Widen(m_strFile.View()).c_str(), -1, nullptr, nullptr, 1);
        // A file that cannot be read gives (UINT)-1 rather than 0.
        m_nCount = count > INT_MAX ? 0 : static_cast<int>(count);
    }
    return m_nCount;
}

HICON CLoadIcon::GetIcon(int index) {
    UniqueIcon icon;
    if (HasIconsByIndex()) {
        icon = ExtractFromFile(index);
    }
    if (!icon) {
        icon = GetShellIcon();
    }
    m_imageList.Remove(0);
    if (!icon) {
        return nullptr;
    }
    m_imageList.ReplaceIcon(-1, icon.Get());
    return m_imageList.GetIcon(0).Release();
}

UniqueIcon CLoadIcon::ExtractFromFile(int index) const {
    // Only the size in use is asked for: each size asked reads the file's icon resources again,
    // and the other one would be destroyed unused.
    HICON hIcon = nullptr;
    const std::wstring file = Widen(m_strFile.View());
    UINT extracted = m_bSmall != FALSE ? ::ExtractIconExW(file.c_str(), index, nullptr, &hIcon, 1)
                                       : ::ExtractIconExW(file.c_str(), index, &hIcon, nullptr, 1);
    // When nothing was extracted (0, or (UINT)-1 for an unreadable file) Wine still writes the
    // handle, with garbage: it is no icon of ours.
    if (extracted == 0 || extracted == UINT_MAX) {
        return UniqueIcon();
    }
    return UniqueIcon(hIcon);
}

UniqueIcon CLoadIcon::GetShellIcon() {
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON | (m_bSmall != FALSE ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    DWORD_PTR found =
        ::SHGetFileInfoW(Widen(m_strFile.View()).c_str(), 0, &info, sizeof(info), flags);
    UniqueIcon icon(info.hIcon);  // a copy made for us, whatever the result says
    m_nCount = 1;
    if (found == 0) {
        return UniqueIcon();
    }
    return icon;
}

bool CLoadIcon::HasIconsByIndex() const {
    return m_strExt.CompareNoCase(".exe") == 0 || m_strExt.CompareNoCase(".dll") == 0;
}
