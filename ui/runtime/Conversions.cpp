#include "Conversions.h"

#include <locale.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace carriers {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Copies text into plain C-locale form ("-12.5e3") if it is a well-formed
// number, or returns false. strtod alone would also take "inf", "nan", hex
// and locale-dependent forms, which must stay type mismatches.
bool Normalise(std::string_view text, std::string_view separator, std::string& out) {
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n && IsBlank(text[i])) ++i;
    std::size_t end = n;
    while (end > i && IsBlank(text[end - 1])) --end;

    if (i < end && (text[i] == '+' || text[i] == '-')) out += text[i++];
    int mantissaDigits = 0;
    bool seenPoint = false;
    while (i < end) {
        const char c = text[i];
        if (IsDigit(c)) {
            out += c;
            ++mantissaDigits;
            ++i;
        } else if (!seenPoint && c == '.') {
            out += '.';
            seenPoint = true;
            ++i;
        } else if (!seenPoint && !separator.empty() &&
                   text.substr(i, separator.size()) == separator) {
            out += '.';
            seenPoint = true;
            i += separator.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        out += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) out += text[i++];
        int exponentDigits = 0;
        while (i < end && IsDigit(text[i])) {
            out += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0) return false;
    }
    return i == end;
}

// Made once and kept for the process's life.
locale_t CLocale() {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t{});
    return cLocale;
}

}  // namespace

double TextToDouble(std::string_view text, std::string_view decimalSeparator) {
    std::string plain;
    plain.reserve(text.size());
    if (!Normalise(text, decimalSeparator, plain)) Raise(ErrorKind::TypeMismatch);
    // The process locale may use a comma (Qt adopts the user's locale), so the
    // normalised text is read in the C locale.
    const double value = strtod_l(plain.c_str(), nullptr, CLocale());
    // Underflow quietly gives zero or a denormal; only a too-large magnitude fails.
    if (std::isinf(value)) Raise(ErrorKind::Overflow);
    return value;
}

Integer TextToInteger(std::string_view text, std::string_view decimalSeparator) {
    return RoundToInteger(TextToDouble(text, decimalSeparator));
}

std::string IntegerToText(Integer value) { return std::to_string(value.value()); }

std::string DoubleToText(double value, std::string_view decimalSeparator) {
    if (value == 0.0) value = 0.0;  // no "-0"
    if (!std::isfinite(value)) Raise(ErrorKind::FloatingPointFault);
    // %.15G is the 15-digit general format with a capital E. printf follows the thread's
    // locale, and the process locale may use a comma, so the C locale is made
    // current for the call; the point is then swapped for the user's own.
    const locale_t previous = uselocale(CLocale());
    char buffer[40];
    const int length = std::snprintf(buffer, sizeof buffer, "%.15G", value);
    uselocale(previous);
    std::string text(buffer, static_cast<std::size_t>(length));
    if (const auto point = text.find('.'); point != std::string::npos) {
        text.replace(point, 1, decimalSeparator);
    }
    return text;
}

}  // namespace carriers
