#include "icons/CIconMenu.h"

#include <climits>
#include <string>

#include "framework/Utf.h"
#include "framework/WinHandles.h"
#include "icons/DisplayScale.h"

IMPLEMENT_DYNCREATE(CIconMenu, CMenu)

namespace {

// Every figure at 96 DPI; each scales by dpi / 96.
constexpr int kItemHeight = 20;
constexpr int kIconWidth = 16;  // the item's width before the label's
constexpr int kIconX = 1;       // in the item's DC, not from the item's left edge
constexpr int kIconTop = 2;     // below the item's top
constexpr int kTextX = 21;      // in the item's DC, not from the item's left edge
constexpr int kWidthPerByte = 6;

// The length the text would have in Shift-JIS bytes: 1 for an ASCII character or a half-width
// katakana (U+FF61 to U+FF9F), 2 for any other character, including those Shift-JIS lacks.
int ShiftJisLength(const CString& text) {
    int length = 0;
    for (char16_t unit : Utf8ToUtf16(text.View())) {
        if (unit >= 0xDC00 && unit <= 0xDFFF) {
            continue;  // the second half of a surrogate pair, counted with the first
        }
        length += unit < 0x80 || (unit >= 0xFF61 && unit <= 0xFF9F) ? 1 : 2;
    }
    return length;
}

// The image and label index an item's data names, or -1.
int IndexOf(ULONG_PTR itemData) {
    return itemData <= static_cast<ULONG_PTR>(INT_MAX) ? static_cast<int>(itemData) : -1;
}

// Fills the item with `back` and draws the label over it in `text` on `back`.
void PaintLabel(HDC hdc, const RECT& rcItem, COLORREF back, COLORREF text, int x, int y,
                const std::wstring& label) {
    UniqueGdiObject brush(::CreateSolidBrush(back));
    ::FillRect(hdc, &rcItem, static_cast<HBRUSH>(brush.Get()));
    ::SetBkColor(hdc, back);
    ::SetTextColor(hdc, text);
    ::TextOutW(hdc, x, y, label.c_str(), static_cast<int>(label.size()));
}

}  // namespace

CIconMenu::~CIconMenu() {
    while (m_imageList.GetImageCount() > 0 && m_imageList.Remove(0)) {
    }
    m_listLabels.RemoveAll();
    DestroyMenu();
    m_imageList.DeleteImageList();
}

BOOL CIconMenu::CreateIconMenu(UINT dpi) {
    m_dpi = dpi;
    const int size = display_scale::SmallIconSize(dpi);
    m_imageList.Create(size, size, CImageList::kIconFlags, 0, 0);
    m_listLabels.RemoveAll();
    return CreatePopupMenu();
}

void CIconMenu::AppendIconItem(UINT nID, const CString& label, HICON hIcon) {
    // An icon the list refuses gets no item either: item data k must name image k.
    if (hIcon == nullptr || m_imageList.ReplaceIcon(-1, hIcon) < 0) {
        return;
    }
    m_listLabels.AddTail(label);
    AppendMenu(MF_OWNERDRAW, nID, static_cast<ULONG_PTR>(m_listLabels.GetCount() - 1));
}

// Runs when the menu is about to be shown, once for each owner-drawn item.
void CIconMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
    const int bytes = ShiftJisLength(LabelOf(lpMeasureItemStruct->itemData));
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(display_scale::Scale(kItemHeight, m_dpi));
    lpMeasureItemStruct->itemWidth =
        static_cast<UINT>(display_scale::Scale(kIconWidth + kWidthPerByte * bytes, m_dpi));
}

// Runs when an owner-drawn item is shown, selected or deselected.
void CIconMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    HDC hdc = lpDrawItemStruct->hDC;
    const RECT& rcItem = lpDrawItemStruct->rcItem;
    UINT action = lpDrawItemStruct->itemAction;
    bool selected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;

    // Read for every request: the colour scheme may change while the program runs.
    COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF menu = ::GetSysColor(COLOR_MENU);
    COLORREF highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    COLORREF menuText = ::GetSysColor(COLOR_MENUTEXT);

    // The label is centred in the item by the height of a line in the DC's current font.
    SIZE line{};
    ::GetTextExtentPoint32W(hdc, L"C:\\Sample", 9, &line);
    const int itemHeight = display_scale::Scale(kItemHeight, m_dpi);
    const int textX = display_scale::Scale(kTextX, m_dpi);
    int y = rcItem.top + (itemHeight - line.cy) / 2;
    std::wstring label = Widen(LabelOf(lpDrawItemStruct->itemData).View());

    if ((action & ODA_DRAWENTIRE) != 0) {
        ::SetTextColor(hdc, menuText);
        ::TextOutW(hdc, textX, y, label.c_str(), static_cast<int>(label.size()));
    }
    if (selected && (action & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
        PaintLabel(hdc, rcItem, highlight, highlightText, textX, y, label);
    }
    if (!selected && (action & ODA_SELECT) != 0) {
        PaintLabel(hdc, rcItem, menu, menuText, textX, y, label);
    }

    // The icon last, over whatever the background became; the copy is ours to destroy.
    UniqueIcon icon = m_imageList.GetIcon(IndexOf(lpDrawItemStruct->itemData));
    if (icon) {
        const int size = display_scale::SmallIconSize(m_dpi);
        ::DrawIconEx(hdc, display_scale::Scale(kIconX, m_dpi),
                     rcItem.top + display_scale::Scale(kIconTop, m_dpi), icon.Get(), size, size, 0,
                     nullptr, DI_NORMAL);
    }
}

CString CIconMenu::LabelOf(ULONG_PTR itemData) const {
    POSITION pos = m_listLabels.FindIndex(IndexOf(itemData));
    return pos != nullptr ? m_listLabels.GetAt(pos) : CString();
}
