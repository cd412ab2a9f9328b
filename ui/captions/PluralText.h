#pragma once

#include <span>
#include <string_view>

namespace form {

// A text whose wording follows a count, in as many forms as the language's
// plural rule has ("1 electron", "2 electrons"; Russian three, Arabic six).
struct PluralText {
    std::span<const std::string_view> forms;
    int (*rule)(long n);  // the form for a count, from the file's Plural-Forms

    std::string_view For(long n) const {
        const int form = rule(n);
        return forms[form >= 0 && static_cast<std::size_t>(form) < forms.size()
                         ? static_cast<std::size_t>(form)
                         : forms.size() - 1];
    }
};

}  // namespace form
