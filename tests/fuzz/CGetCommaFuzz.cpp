// libFuzzer target: CGetComma on any text. Besides what the sanitizers catch, every comma
// position and item value is checked against a separate reading of the same text.
#include <charconv>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "entries/CGetComma.h"

namespace {

bool IsSpace(char ch) {
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

// Item n of the text, read independently: split at commas, then white space, sign, digits,
// with values beyond 32 bits saturated.
int ReferenceItem(std::string_view text, long long n) {
    if (n < 0) {
        return 0;
    }
    size_t start = 0;
    for (long long i = 0; i < n; ++i) {
        const size_t comma = text.find(',', start);
        if (comma == std::string_view::npos) {
            return 0;
        }
        start = comma + 1;
    }
    std::string_view item = text.substr(start, text.find(',', start) - start);
    while (!item.empty() && IsSpace(item.front())) {
        item.remove_prefix(1);
    }
    bool negative = false;
    if (!item.empty() && (item.front() == '+' || item.front() == '-')) {
        negative = item.front() == '-';
        item.remove_prefix(1);
    }
    size_t digits = 0;
    while (digits < item.size() && item[digits] >= '0' && item[digits] <= '9') {
        ++digits;
    }
    unsigned long long value = 0;
    const auto [end, error] = std::from_chars(item.data(), item.data() + digits, value);
    (void)end;
    if (error == std::errc::result_out_of_range || value > 2147483648ULL) {
        value = 2147483648ULL;
    }
    if (negative) {
        return value == 2147483648ULL ? INT_MIN : -static_cast<int>(value);
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CGetComma comma;
    comma.SetString(CString(text));

    // FindComma(1..count) gives the commas in order; every other n gives -1.
    int commas = 0;
    int previous = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ',') {
            ++commas;
            const int at = comma.FindComma(commas);
            if (at != static_cast<int>(i) || at <= previous) {
                std::abort();
            }
            previous = at;
        }
    }
    for (int n : {0, -1, commas + 1, INT_MAX, INT_MIN}) {
        if (comma.FindComma(n) != -1) {
            std::abort();
        }
    }

    for (long long n = -1; n <= commas + 1; ++n) {
        if (comma.GetItem(static_cast<int>(n)) != ReferenceItem(text, n)) {
            std::abort();
        }
    }
    for (int n : {INT_MAX, INT_MIN}) {
        if (comma.GetItem(n) != ReferenceItem(text, n)) {
            std::abort();
        }
    }
    return 0;
}
