#include "FormDescription.h"

#include <algorithm>

namespace form {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString FormDescription::Title() const { return FromUtf8(language_.title); }

QString FormDescription::Caption(ControlKey key) const {
    for (const std::span<const CaptionRow> rows : {language_.captions, CommonCaptions()}) {
        const auto it = std::find_if(rows.begin(), rows.end(),
                                     [&](const CaptionRow& r) { return r.key == key; });
        if (it != rows.end()) return FromUtf8(it->text);
    }
    return QString();
}

Placement FormDescription::Place(const ControlSpec& control) const {
    const auto& rows = language_.placements;
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const PlacementRow& r) { return r.key == control.key; });
    return it == rows.end() ? control.place : it->place;
}

QString FormDescription::AccessibleName(ControlKey key) const {
    if (const auto label = CaptionOf(key)) return Caption(*label);
    return Caption(key);
}

}  // namespace form
