#include "Zoom.h"

#include <algorithm>

#include "Twips.h"
#include "form/ZoomSteps.h"

namespace form {

namespace {

constexpr const auto& kSteps = kZoomSteps;

}  // namespace

std::span<const double> ZoomSteps() { return kSteps; }

QSize ZoomedClientSize(double zoom) {
    return {ToPixel(kClientWidth, zoom), ToPixel(kClientHeight, zoom)};
}

double LargestZoom(QSize available, QSize frame) {
    double largest = kSteps[0];
    for (double step : kSteps) {
        const QSize needed = ZoomedClientSize(step) + frame;
        if (needed.width() <= available.width() && needed.height() <= available.height()) {
            largest = step;
        }
    }
    return largest;
}

double NextZoom(double zoom, double largest) {
    const auto* next = std::upper_bound(std::begin(kSteps), std::end(kSteps), zoom);
    if (next == std::end(kSteps) || *next > largest) return std::min(zoom, largest);
    return *next;
}

double PreviousZoom(double zoom) {
    const auto* at = std::lower_bound(std::begin(kSteps), std::end(kSteps), zoom);
    return at == std::begin(kSteps) ? kSteps[0] : *(at - 1);
}

}  // namespace form
