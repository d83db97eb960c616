// CString: the framework's string class.
//
// Holds UTF-8 text in a std::string. Positions and lengths are byte offsets; callers cut only at
// ASCII characters, so a cut never splits a multibyte character. Conversion to UTF-16 happens
// only at the Windows API boundary (see framework/Utf.h).
#pragma once

#include <string>
#include <string_view>
#include <type_traits>

class CString;

// The argument types that CString::Format accepts: CString (passed as its const char*) and
// arithmetic types.
template <class T>
concept CStringFormatArgument =
    std::is_same_v<std::remove_cvref_t<T>, CString> || std::is_arithmetic_v<std::remove_cvref_t<T>>;

class CString {
public:
    CString() = default;
    CString(const char* psz);  // A null pointer gives an empty string.
    CString(std::string_view text);
    CString(std::string text);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    ~CString() = default;

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* psz);  // A null pointer gives an empty string.

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }
    std::string_view View() const { return m_str; }

    // An index outside [0, GetLength()) is a programming error: it asserts, and gives '\0' in a
    // release build.
    char operator[](int index) const;

    CString& operator+=(const CString& other);
    CString& operator+=(const char* psz);  // A null pointer appends nothing.

    // Substrings. A negative first or count counts as 0, a first beyond the end gives an empty
    // string, and a count reaching past the end is cut at the end. Left gives an empty string
    // for a negative count and the whole string for a count beyond the length.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;

    // Byte offset of the last ch, or -1.
    int ReverseFind(char ch) const;

    // Removes blanks, \t, \n, \v, \f and \r at both ends. Bytes of multibyte characters are
    // never touched.
    CString& Trim();

    // Bytewise comparison with ASCII letters folded to lower case: negative, zero or positive.
    int CompareNoCase(const CString& other) const;

    // printf-style formatting, replacing the contents. %s expects UTF-8 text: CString arguments
    // are passed as their const char*, and other class types do not compile. An argument may be
    // this string itself. The output is never truncated.
    template <class... Args>
    void Format(const char* format, const Args&... args) {
        static_assert((CStringFormatArgument<Args> && ...),
                      "CString::Format takes CString and arithmetic types only");
        m_str = FormatRaw(format, FormatArg(args)...);
    }

private:
    // Formats with vsnprintf: one pass to measure, one to write. Gives an empty string for a null
    // format or an encoding error.
    static std::string FormatRaw(const char* format, ...);

    template <class T>
    static auto FormatArg(const T& arg) {
        if constexpr (std::is_same_v<T, CString>) {
            return arg.GetString();
        } else {
            return arg;
        }
    }

    std::string m_str;
};

CString operator+(const CString& lhs, const CString& rhs);
CString operator+(const CString& lhs, const char* rhs);

// A null const char* compares like an empty string. (The reversed and != forms follow from
// these two.)
bool operator==(const CString& lhs, const CString& rhs);
bool operator==(const CString& lhs, const char* rhs);
