#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>
#include <span>

namespace form {

// Where the class data panel goes beside the window, and how large it is
// drawn there.
struct PanelPlace {
    QPoint topLeft;  // of its frame
    double scale;    // the panel's size and type, in times its designed size
};

// The screen's free `area`, the window's frame, and `panel`, the panel's
// frame at scale 1: beside the window on the side with the most room, at
// the window's `zoom` or as much less as fits there, never below 1 so that
// it stays readable. Where no side has room even at 1, it goes where it
// hides least of the window's `controls` (global rectangles), then least
// of the window.
PanelPlace ChoosePanelPlace(const QRect& area, const QRect& window, QSize panel, double zoom,
                            std::span<const QRect> controls);

}  // namespace form
