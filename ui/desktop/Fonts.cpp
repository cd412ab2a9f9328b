#include "Fonts.h"

#include <QStringList>
#include <cmath>

#include "Twips.h"

namespace form {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;
// Horizontal hinting would round every glyph's advance differently on each
// platform plugin; without it captions measure the same everywhere, which
// is what lets a test promise they fit.
constexpr QFont::HintingPreference kHinting = QFont::PreferVerticalHinting;

QFont Font(const QStringList& families, int pixels) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setHintingPreference(kHinting);
    return font;
}

}  // namespace

QFont DefaultFont() {
    QStringList families;
    for (std::string_view family : Fonts().defaultFamilies) families << FromUtf8(family);
    return Font(families, Fonts().defaultPixels);
}

QFont CaptionFont(double points) {
    return Font({FromUtf8(Fonts().captionFamily), FromUtf8(Fonts().captionSubstitute)},
                static_cast<int>(std::lround(points * kPixelsPerPoint)));
}

void InstallFontSubstitutions() {
    QFont::insertSubstitution(FromUtf8(Fonts().captionFamily), FromUtf8(Fonts().captionSubstitute));
}

}  // namespace form
