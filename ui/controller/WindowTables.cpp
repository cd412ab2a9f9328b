#include "WindowTables.h"

#include <algorithm>

#include "captions/Language.h"
#include "form/FormLayout.h"

namespace controller {

namespace {

using carriers::TextBoxId;

constexpr BoxRow kBoxes[] = {
    {TextBoxId::Text1, {"Text1"}}, {TextBoxId::Text2, {"Text2"}}, {TextBoxId::Text3, {"Text3"}},
    {TextBoxId::Text4, {"Text4"}}, {TextBoxId::Text5, {"Text5"}}, {TextBoxId::Text6, {"Text6"}},
    {TextBoxId::Text7, {"Text7"}},
};

carriers::Marker LoadedAt(form::ShapeRole role) {
    const form::Placement& place = form::ShapeWithRole(role).place;
    return {static_cast<float>(place.left), static_cast<float>(place.top)};
}

}  // namespace

std::span<const BoxRow> BoxTable() { return kBoxes; }

form::ControlKey ControlOf(TextBoxId box) {
    return std::find_if(std::begin(kBoxes), std::end(kBoxes),
                        [&](const BoxRow& row) { return row.box == box; })
        ->control;
}

std::optional<TextBoxId> BoxOf(form::ControlKey control) {
    const auto* row = std::find_if(std::begin(kBoxes), std::end(kBoxes),
                                   [&](const BoxRow& r) { return r.control == control; });
    if (row == std::end(kBoxes)) return std::nullopt;
    return row->box;
}

std::string InitialText(TextBoxId box) {
    const auto rows = form::CommonCaptions();
    const form::ControlKey control = ControlOf(box);
    const auto row = std::find_if(rows.begin(), rows.end(),
                                  [&](const form::CaptionRow& r) { return r.key == control; });
    return row == rows.end() ? std::string() : std::string(row->text);
}

carriers::LoadState WindowLoadState() {
    const form::LineSpec& line3 = form::LineWithRole(form::LineRole::FermiLevel);
    carriers::LoadState load{LoadedAt(form::ShapeRole::ElectronMarkers),
                             LoadedAt(form::ShapeRole::HoleMarkers),
                             {static_cast<float>(line3.y1), static_cast<float>(line3.y2), {}}};
    load.diagram.line7Visible.fill(true);
    return load;
}

}  // namespace controller
