// UTF-8 <-> UTF-16 conversion.
//
// Text is UTF-8 everywhere inside the program. UTF-16 appears only where we call the W functions
// of the Windows API, and every crossing goes through this one pair of functions.
#pragma once

#include <string>
#include <string_view>

// Converts UTF-8 to UTF-16. Ill-formed input (a stray continuation byte, an invalid lead byte, an
// overlong form, an encoded surrogate, a value above U+10FFFF, a truncated sequence) is replaced
// by U+FFFD, one for each maximal subpart of an ill-formed sequence, as the Unicode standard
// recommends. Never fails.
std::u16string Utf8ToUtf16(std::string_view utf8);

// Converts UTF-16 to UTF-8. A surrogate that is not part of a high/low pair becomes U+FFFD.
// Never fails.
std::string Utf16ToUtf8(std::u16string_view utf16);

#ifdef _WIN32
#include <cwchar>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "wchar_t must be UTF-16 on Windows");

// For the W functions of the Windows API.
inline std::wstring Widen(std::string_view utf8) {
    const std::u16string utf16 = Utf8ToUtf16(utf8);
    return std::wstring(utf16.begin(), utf16.end());
}

// A null pointer gives an empty string.
inline std::wstring Widen(const char* utf8) {
    return utf8 != nullptr ? Widen(std::string_view(utf8)) : std::wstring();
}

inline std::string Narrow(std::wstring_view wide) {
    const std::u16string utf16(wide.begin(), wide.end());
    return Utf16ToUtf8(utf16);
}

// A null pointer gives an empty string.
inline std::string Narrow(const wchar_t* wide) {
    return wide != nullptr ? Narrow(std::wstring_view(wide)) : std::string();
}
#endif
