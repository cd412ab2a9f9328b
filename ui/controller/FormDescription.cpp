#include "FormDescription.h"

#include <algorithm>

#include "TextFill.h"

namespace form {

std::string FormDescription::Title() const {
    return controller::Fill(language_->title, {{"{program}", program_->name}});
}

std::string_view FormDescription::Caption(ControlKey key) const {
    for (const std::span<const CaptionRow> rows : {language_->captions, CommonCaptions()}) {
        const auto it = std::find_if(rows.begin(), rows.end(),
                                     [&](const CaptionRow& r) { return r.key == key; });
        if (it != rows.end()) return it->text;
    }
    return {};
}

Placement FormDescription::Place(const ControlSpec& control) const {
    const auto& rows = language_->placements;
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const PlacementRow& r) { return r.key == control.key; });
    return it == rows.end() ? control.place : it->place;
}

std::string_view FormDescription::AccessibleName(ControlKey key) const {
    if (const auto label = CaptionOf(key)) return Caption(*label);
    return Caption(key);
}

}  // namespace form
