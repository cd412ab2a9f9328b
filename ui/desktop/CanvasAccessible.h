#pragma once

class QString;

namespace form {

class BandCanvas;

// Gives the labels the band canvas paints an accessible object each (static
// text named by the caption), as child widgets would have had, and the strip
// chart the role of a chart; the text boxes get their own (LineEditAccessible.h).
// Idempotent.
void InstallCanvasAccessibility();

// Says a text once, politely, from a notification object among the canvas's
// children: a screen reader speaks it and the focus stays where it is.
void AnnounceOnCanvas(BandCanvas* canvas, const QString& text);

// The painted labels' captions changed: a screen reader is told their new names.
void CaptionsChanged(BandCanvas* canvas);

}  // namespace form
