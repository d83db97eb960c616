// CGetComma: reads the integers of a comma-separated list ("Data" of the store) by position.
#pragma once

#include "framework/CObject.h"
#include "framework/CString.h"

class CGetComma : public CObject {
    DECLARE_DYNCREATE(CGetComma)
public:
    CGetComma() = default;
    ~CGetComma() override = default;

    void SetString(const CString& text) { m_strText = text; }

    // The integer of item n (zero-based): leading white space skipped, an optional sign, then
    // decimal digits up to the first other character. A missing item, or one without digits,
    // gives 0; a value beyond 32 bits gives INT_MAX or INT_MIN.
    int GetItem(int n) const;

    // The byte position of the n-th comma (n counted from 1), or -1; n <= 0 always gives -1.
    int FindComma(int n) const;

private:
    CString m_strText;
};
