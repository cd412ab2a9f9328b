#pragma once

#include <QSize>
#include <span>

namespace form {

// The projector zoom: the whole window at these multiples of its designed
// size. Only the desktop window needs them; the browser page fills its
// viewport instead.
std::span<const double> ZoomSteps();

// The client area at a zoom, logical pixels.
QSize ZoomedClientSize(double zoom);

// The largest step whose window, with a frame that adds `frame` to the
// client area, fits in `available`; the first step where none does.
double LargestZoom(QSize available, QSize frame);

// The neighbouring steps, kept within the first step and `largest`.
double NextZoom(double zoom, double largest);
double PreviousZoom(double zoom);

}  // namespace form
