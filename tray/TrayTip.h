// The text of a tray tip as the shell's record holds it.
#pragma once

#include <string>
#include <string_view>

// The record's tip field holds 64 UTF-16 units with the terminator. A longer text is cut to
// 63 units at a character boundary: a surrogate pair is never split.
inline constexpr size_t kTrayTipMaxUnits = 63;
std::u16string FitTrayTip(std::string_view utf8);
