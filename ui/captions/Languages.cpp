#include <algorithm>
#include <cctype>

#include "Language.h"
#include "LanguageTable.h"

namespace form {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

constexpr Program kQuarvel{"Quarvel", "en"};
constexpr Program kNorvia{"Norvia", "ja"};

}  // namespace

std::span<const Language* const> Languages() { return LanguageTable(); }

const Language* FindLanguage(std::string_view code) {
    const auto all = Languages();
    const auto exact = std::find_if(all.begin(), all.end(),
                                    [&](const Language* l) { return SameLetters(l->code, code); });
    if (exact != all.end()) return *exact;
    // A bare language picks its one variant: "pt" is pt-BR, "zh" zh-Hans.
    const Language* variant = nullptr;
    for (const Language* l : all) {
        const auto dash = l->code.find('-');
        if (dash == std::string_view::npos || !SameLetters(l->code.substr(0, dash), code)) continue;
        if (variant) return nullptr;
        variant = l;
    }
    return variant;
}

const Language& EnglishLanguage() { return *FindLanguage(kQuarvel.languageCode); }
const Language& JapaneseLanguage() { return *FindLanguage(kNorvia.languageCode); }

const Program& Quarvel() { return kQuarvel; }
const Program& Norvia() { return kNorvia; }

}  // namespace form
