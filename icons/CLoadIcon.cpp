#include "icons/CLoadIcon.h"

#include <shellapi.h>

#include <climits>
#include <string>

#include "entries/PathParts.h"
#include "framework/Environment.h"
#include "framework/Utf.h"
#include "icons/DisplayScale.h"

IMPLEMENT_DYNCREATE(CLoadIcon, CObject)

BOOL CLoadIcon::Create(BOOL bSmall, UINT dpi) {
    m_nCount = 0;
    m_nSize =
        bSmall != FALSE ? display_scale::SmallIconSize(dpi) : display_scale::LargeIconSize(dpi);
    return m_imageList.Create(m_nSize, m_nSize, CImageList::kIconFlags, 0, 0);
}

void CLoadIcon::SetFile(const CString& path) {
    // The file as typed may name %NAME% variables: the icons come from the file they name now.
    m_strFile = ExpandEnvironment(path);
    m_strExt = PathExtension(m_strFile);
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

namespace {

// Icon `index` of `file` (a negative index names a resource id) at size x size, taken from the
// file's image nearest that size; empty when the file gives none there.
UniqueIcon ExtractAtSize(const std::wstring& file, int index, int size) {
    HICON hIcon = nullptr;
    UINT id = 0;
    // ExtractIconEx knows two sizes only, the system's small and large; this one takes any.
    UINT extracted =
        ::PrivateExtractIconsW(file.c_str(), index, size, size, &hIcon, &id, 1, LR_DEFAULTCOLOR);
    // When nothing was extracted (0, or (UINT)-1 for an unreadable file) the handle may still
    // have been written, with garbage: it is no icon of ours.
    if (extracted == 0 || extracted == UINT_MAX || hIcon == nullptr) {
        return UniqueIcon();
    }
    return UniqueIcon(hIcon);
}

}  // namespace

UniqueIcon CLoadIcon::ExtractFromFile(int index) const {
    // Only the size in use is asked for: each size asked reads the file's icon resources again.
    return ExtractAtSize(Widen(m_strFile.View()), index, m_nSize);
}

UniqueIcon CLoadIcon::GetShellIcon() {
    m_nCount = 1;
    const std::wstring file = Widen(m_strFile.View());
    // Where the shell takes the file's icon from, so that it can be taken there at our size:
    // the shell itself gives only its own small and large size.
    SHFILEINFOW where{};
    if (::SHGetFileInfoW(file.c_str(), 0, &where, sizeof(where), SHGFI_ICONLOCATION) != 0 &&
        where.szDisplayName[0] != L'\0') {
        std::wstring location(where.szDisplayName);
        // A location may be written with %SystemRoot% and the like.
        if (UniqueIcon icon = ExtractAtSize(ExpandEnvironment(location), where.iIcon, m_nSize)) {
            return icon;
        }
    }
    // An icon the shell makes for this one file (no location to read): the shell's own size
    // nearest ours from above, brought to our size by the converter list.
    SHFILEINFOW info{};
    UINT flags = SHGFI_ICON |
                 (m_nSize <= ::GetSystemMetrics(SM_CXSMICON) ? SHGFI_SMALLICON : SHGFI_LARGEICON);
    DWORD_PTR found = ::SHGetFileInfoW(file.c_str(), 0, &info, sizeof(info), flags);
    UniqueIcon icon(info.hIcon);  // a copy made for us, whatever the result says
    if (found == 0) {
        return UniqueIcon();
    }
    return icon;
}

bool CLoadIcon::HasIconsByIndex() const {
    return m_strExt.CompareNoCase(".exe") == 0 || m_strExt.CompareNoCase(".dll") == 0;
}
