#include "TypedForms.h"

namespace controller {

namespace {

// The code point of the three-byte UTF-8 sequence that starts text, or 0:
// every form read here takes three bytes.
char32_t ThreeByteCodePoint(std::string_view text) {
    if (text.size() < 3) return 0;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if ((byte(0) & 0xF0) != 0xE0 || (byte(1) & 0xC0) != 0x80 || (byte(2) & 0xC0) != 0x80) return 0;
    return static_cast<char32_t>(((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) |
                                 (byte(2) & 0x3F));
}

// The ASCII character a code point stands for in a number, or 0.
char Narrow(char32_t c) {
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char>(c - 0xFF01 + 0x21);
    switch (c) {
        case 0x3000:  // ideographic space
            return ' ';
        case 0x2212:  // minus sign
        case 0x30FC:  // the long-vowel mark, which a kana keyboard types for '-'
        case 0xFF70:  // its half-width form
            return '-';
        case 0x3002:  // ideographic full stop, which a kana keyboard types for '.'
        case 0xFF61:  // its half-width form
            return '.';
        default:
            return 0;
    }
}

}  // namespace

std::string NarrowForms(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const char narrow = Narrow(ThreeByteCodePoint(text));
        if (narrow) {
            out += narrow;
            text.remove_prefix(3);
        } else {
            out += text.front();
            text.remove_prefix(1);
        }
    }
    return out;
}

}  // namespace controller
