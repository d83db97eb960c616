#include "framework/CString.h"

#include <algorithm>
#include <cassert>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <utility>

namespace {

bool IsTrimSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

unsigned char FoldAscii(char ch) {
    const auto byte = static_cast<unsigned char>(ch);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

CString::CString(const char* psz) : m_str(psz != nullptr ? psz : "") {}

CString::CString(std::string_view text) : m_str(text) {}

CString::CString(std::string text) : m_str(std::move(text)) {}

CString& CString::operator=(const char* psz) {
    if (psz == nullptr) {
        m_str.clear();
    } else {
        m_str = psz;  // std::string::assign copes with psz pointing into m_str
    }
    return *this;
}

char CString::operator[](int index) const {
    assert(index >= 0 && index < GetLength());
    if (index < 0 || index >= GetLength()) {
        return '\0';
    }
    return m_str[static_cast<std::size_t>(index)];
}

CString& CString::operator+=(const CString& other) {
    m_str += other.m_str;
    return *this;
}

CString& CString::operator+=(const char* psz) {
    if (psz != nullptr) {
        m_str += psz;
    }
    return *this;
}

CString CString::Mid(int first) const { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const {
    const int length = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first >= length)
        return CString();
    // Compared as a difference so that first + count cannot overflow.
    if (count > length - first)
        count = length - first;
    return CString(m_str.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString CString::Left(int count) const {
    if (count <= 0)
        return CString();
    if (count >= GetLength())
        return *this;
    return CString(m_str.substr(0, static_cast<std::size_t>(count)));
}

int CString::ReverseFind(char ch) const {
    const std::size_t at = m_str.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString& CString::Trim() {
    std::size_t end = m_str.size();
    while (end > 0 && IsTrimSpace(m_str[end - 1]))
        --end;
    m_str.erase(end);
    std::size_t first = 0;
    while (first < m_str.size() && IsTrimSpace(m_str[first]))
        ++first;
    m_str.erase(0, first);
    return *this;
}

int CString::CompareNoCase(const CString& other) const {
    const std::size_t common = std::min(m_str.size(), other.m_str.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char a = FoldAscii(m_str[i]);
        const unsigned char b = FoldAscii(other.m_str[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    if (m_str.size() == other.m_str.size())
        return 0;
    return m_str.size() < other.m_str.size() ? -1 : 1;
}

std::string CString::FormatRaw(const char* format, ...) {
    if (format == nullptr)
        return std::string();
    va_list args;
    va_start(args, format);
    va_list measureArgs;
    va_copy(measureArgs, args);
    const int length = std::vsnprintf(nullptr, 0, format, measureArgs);
    va_end(measureArgs);
    std::string result;
    if (length > 0) {
        // The extra byte takes the terminating '\0' that vsnprintf always writes.
        result.resize(static_cast<std::size_t>(length) + 1);
        const int written = std::vsnprintf(result.data(), result.size(), format, args);
        result.resize(written == length ? static_cast<std::size_t>(length) : 0);
    }
    va_end(args);
    return result;
}

CString operator+(const CString& lhs, const CString& rhs) {
    CString result(lhs);
    result += rhs;
    return result;
}

CString operator+(const CString& lhs, const char* rhs) {
    CString result(lhs);
    result += rhs;
    return result;
}

bool operator==(const CString& lhs, const CString& rhs) { return lhs.Str() == rhs.Str(); }

bool operator==(const CString& lhs, const char* rhs) {
    return lhs.View() == std::string_view(rhs != nullptr ? rhs : "");
}
