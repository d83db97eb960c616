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

// The argument types that CString::Format accepts: CString and std::string (passed as their
// const char*), const char* and char arrays, other pointers, arithmetic and enumeration types.
template <class T>
concept CStringFormatArgument = std::is_same_v<std::remove_cvref_t<T>, CString> ||
    std::is_same_v<std::remove_cvref_t<T>, std::string> ||
    std::is_array_v<std::remove_cvref_t<T>> || std::is_pointer_v<std::remove_cvref_t<T>> ||
    std::is_null_pointer_v<std::remove_cvref_t<T>> ||
    std::is_arithmetic_v<std::remove_cvref_t<T>> || std::is_enum_v<std::remove_cvref_t<T>>;

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
    CString& operator=(std::string_view text);
    CString& operator=(std::string text);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    const char* GetString() const { return m_str.c_str(); }
    const std::string& Str() const { return m_str; }
    std::string_view View() const { return m_str; }

    // An index outside [0, GetLength()) is a programming error: it asserts, and gives '\0' in a
    // release build.
    char GetAt(int index) const;
    char operator[](int index) const { return GetAt(index); }

    CString& operator+=(const CString& other);
    CString& operator+=(const char* psz);  // A null pointer appends nothing.
    CString& operator+=(char ch);

    // Substrings. A negative first or count counts as 0, a first beyond the end gives an empty
    // string, and a count reaching past the end is cut at the end. Left and Right give an empty
    // string for a negative count and the whole string for a count beyond the length.
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    // Byte offset of the first match at or after start, or -1. start is clamped like Mid's first.
    // An empty substring matches at start; a null one matches nowhere.
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    // Byte offset of the last ch, or -1.
    int ReverseFind(char ch) const;

    // Remove blanks, \t, \n, \v, \f and \r. Bytes of multibyte characters are never touched.
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();

    // Change ASCII letters only.
    CString& MakeUpper();
    CString& MakeLower();

    // Bytewise comparison of unsigned bytes: negative, zero or positive.
    int Compare(const CString& other) const;
    // Like Compare, with ASCII letters folded to lower case.
    int CompareNoCase(const CString& other) const;

    // printf-style formatting; Format replaces the contents, AppendFormat appends. %s expects
    // UTF-8 text. CString and std::string arguments are passed as their const char*, a null
    // const char* is printed as "(null)", and other class types do not compile. An argument may
    // be this string itself. The output is never truncated.
    template <class... Args>
    void Format(const char* format, const Args&... args) {
        static_assert((CStringFormatArgument<Args> && ...),
                      "CString::Format takes CString, std::string, const char*, pointers, "
                      "arithmetic and enumeration types only");
        m_str = FormatRaw(format, FormatArg(args)...);
    }

    template <class... Args>
    void AppendFormat(const char* format, const Args&... args) {
        static_assert((CStringFormatArgument<Args> && ...),
                      "CString::AppendFormat takes CString, std::string, const char*, pointers, "
                      "arithmetic and enumeration types only");
        m_str += FormatRaw(format, FormatArg(args)...);
    }

private:
    // Formats with vsnprintf: one pass to measure, one to write. Gives an empty string for a null
    // format or an encoding error.
    static std::string FormatRaw(const char* format, ...);

    template <class T>
    static auto FormatArg(const T& arg) {
        if constexpr (std::is_same_v<T, CString>) {
            return arg.GetString();
        } else if constexpr (std::is_same_v<T, std::string>) {
            return arg.c_str();
        } else if constexpr (std::is_array_v<T>) {
            return static_cast<const std::remove_extent_t<T>*>(arg);
        } else if constexpr (std::is_same_v<std::remove_cv_t<T>, const char*> ||
                             std::is_same_v<std::remove_cv_t<T>, char*>) {
            return arg != nullptr ? static_cast<const char*>(arg) : "(null)";
        } else if constexpr (std::is_enum_v<T>) {
            return static_cast<std::underlying_type_t<T>>(arg);
        } else if constexpr (std::is_null_pointer_v<T>) {
            return static_cast<const void*>(nullptr);
        } else {
            return arg;  // arithmetic types and other pointers
        }
    }

    std::string m_str;
};

CString operator+(const CString& lhs, const CString& rhs);
CString operator+(const CString& lhs, const char* rhs);
CString operator+(const char* lhs, const CString& rhs);
CString operator+(const CString& lhs, char rhs);
CString operator+(char lhs, const CString& rhs);

// A null const char* compares like an empty string.
bool operator==(const CString& lhs, const CString& rhs);
bool operator==(const CString& lhs, const char* rhs);
bool operator==(const char* lhs, const CString& rhs);
bool operator!=(const CString& lhs, const CString& rhs);
bool operator!=(const CString& lhs, const char* rhs);
bool operator!=(const char* lhs, const CString& rhs);
// Bytewise order, as Compare; for ordered containers.
bool operator<(const CString& lhs, const CString& rhs);
