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

bool FormDescription::Translated(ControlKey key) const {
    return std::any_of(language_->captions.begin(), language_->captions.end(),
                       [&](const CaptionRow& r) { return r.key == key; });
}

Placement FormDescription::RoomFromRight(const ControlSpec& label) const {
    Placement room = Place(label);
    for (const ControlSpec& control : ControlTable()) {
        if (control.kind == ControlKind::Label) continue;
        const Placement over = Place(control);
        const int rows =
            std::min(over.top + over.height, room.top + room.height) - std::max(over.top, room.top);
        if (rows > kTwipsPerPixel && over.left > room.left && over.left < room.left + room.width) {
            room.width = over.left - room.left;
        }
    }
    return room;
}

std::string_view FormDescription::AccessibleName(ControlKey key) const {
    if (const auto label = CaptionOf(key)) return Caption(*label);
    return Caption(key);
}

}  // namespace form
