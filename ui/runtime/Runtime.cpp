#include "Runtime.h"

#include "form/FormLayout.h"

namespace carriers {

namespace {

MarkerArray LoadedMarkers(form::ShapeRole role) {
    const form::Placement& place = form::ShapeWithRole(role).place;
    return MarkerArray(static_cast<float>(place.left), static_cast<float>(place.top));
}

// Line3 where the description draws it; every polarity mark visible, as
// controls are at creation, until Form_Load hides them.
DiagramState LoadedDiagram() {
    const form::LineSpec& line3 = form::LineWithRole(form::LineRole::FermiLevel);
    DiagramState state{static_cast<float>(line3.y1), static_cast<float>(line3.y2), {}};
    state.line7Visible.fill(true);
    return state;
}

}  // namespace

Runtime::Runtime(std::string decimalSeparator)
    : shape1_(LoadedMarkers(form::ShapeRole::ElectronMarkers)),
      shape2_(LoadedMarkers(form::ShapeRole::HoleMarkers)),
      diagram_(LoadedDiagram()),
      decimalSeparator_(std::move(decimalSeparator)) {}

}  // namespace carriers
