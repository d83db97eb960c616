#include "dialogs/CIconPreview.h"

#include <utility>

void CIconPreview::ShowIcon(HICON icon) {
    UniqueIcon shown(icon);
    // The previous icon comes back from the control and is ours to destroy (m_iconShown), once
    // the control no longer draws it.
    SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    m_iconShown = std::move(shown);
}
