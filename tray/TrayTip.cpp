#include "tray/TrayTip.h"

#include "framework/Utf.h"

std::u16string FitTrayTip(std::string_view utf8) {
    std::u16string tip = Utf8ToUtf16(utf8);
    if (tip.size() <= kTrayTipMaxUnits) {
        return tip;
    }
    size_t cut = kTrayTipMaxUnits;
    char16_t last = tip[cut - 1];
    if (last >= 0xD800 && last <= 0xDBFF) {
        --cut;  // the high half of a pair whose low half would fall off
    }
    tip.resize(cut);
    return tip;
}
