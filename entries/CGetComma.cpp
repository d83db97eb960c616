#include "entries/CGetComma.h"

#include <climits>

IMPLEMENT_DYNCREATE(CGetComma, CObject)

namespace {

// The white space the C runtime's isspace knows in the "C" locale.
bool IsSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

// The number at the start of an item, as GetItem describes it.
int ItemToInt(const CString& text) {
    const int length = text.GetLength();
    int i = 0;
    while (i < length && IsSpace(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulated as a negative number, whose range reaches INT_MIN; an overflow saturates, as
    // the Windows C runtime's atoi does.
    int value = 0;
    for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value < (INT_MIN + digit) / 10) {
            return negative ? INT_MIN : INT_MAX;
        }
        value = value * 10 - digit;
    }
    if (negative) {
        return value;
    }
    return value == INT_MIN ? INT_MAX : -value;
}

}  // namespace

int CGetComma::FindComma(int n) const {
    const int length = m_strText.GetLength();
    int count = 0;
    for (int j = 0; j < length; ++j) {
        // No byte of a UTF-8 multibyte character is a comma, so a byte walk finds only real ones.
        if (m_strText[j] == ',' && ++count == n) {
            return j;
        }
    }
    return -1;
}

int CGetComma::GetItem(int n) const {
    int start = FindComma(n);
    if (start != -1) {
        ++start;
    } else if (n == 0) {
        start = 0;
    }
    // The item ends at the next comma; there is none after comma INT_MAX (and n + 1 would
    // overflow).
    int end = n < INT_MAX ? FindComma(n + 1) : -1;
    if (end == -1 && start >= 0) {
        end = m_strText.GetLength();
    }
    // Mid counts a negative start or length as 0.
    return ItemToInt(m_strText.Mid(start, end - start));
}
