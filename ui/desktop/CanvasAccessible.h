#pragma once

namespace form {

// Gives the labels the band canvas paints an accessible object each (static
// text named by the caption), as child widgets would have had. Idempotent.
void InstallCanvasAccessibility();

}  // namespace form
