#include "framework/CImageList.h"

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow) {
    m_hImageList.Reset(::ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
    return m_hImageList ? TRUE : FALSE;
}

BOOL CImageList::DeleteImageList() {
    if (!m_hImageList) {
        return FALSE;
    }
    m_hImageList.Reset();
    return TRUE;
}

int CImageList::GetImageCount() const {
    return m_hImageList ? ::ImageList_GetImageCount(m_hImageList.Get()) : 0;
}

int CImageList::ReplaceIcon(int nImage, HICON hIcon) {
    if (!m_hImageList || hIcon == nullptr) {
        return -1;
    }
    return ::ImageList_ReplaceIcon(m_hImageList.Get(), nImage, hIcon);
}

BOOL CImageList::Remove(int nImage) {
    // ImageList_Remove takes -1 as "every image"; here an index is always one image.
    if (!m_hImageList || nImage < 0 || nImage >= GetImageCount()) {
        return FALSE;
    }
    return ::ImageList_Remove(m_hImageList.Get(), nImage);
}

UniqueIcon CImageList::GetIcon(int nImage) const {
    if (!m_hImageList || nImage < 0 || nImage >= GetImageCount()) {
        return UniqueIcon();
    }
    return UniqueIcon(::ImageList_GetIcon(m_hImageList.Get(), nImage, ILD_NORMAL));
}
