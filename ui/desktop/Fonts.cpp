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

QStringList Families(const Language* language) {
    QStringList families;
    if (!language) return families;
    for (std::string_view family : language->fontFamilies) families << FromUtf8(family);
    return families;
}

// Rounded down, so that a caption that fits its box at the designed size
// fits the zoomed box as well.
QFont Font(const QStringList& families, int pixels, double zoom) {
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(static_cast<int>(std::floor(pixels * zoom)));
    font.setWeight(QFont::Normal);
    font.setHintingPreference(kHinting);
    return font;
}

}  // namespace

QFont DefaultFont(double zoom, const Language* language) {
    QStringList families = Families(language);
    for (std::string_view family : Fonts().defaultFamilies) families << FromUtf8(family);
    return Font(families, Fonts().defaultPixels, zoom);
}

QFont CaptionFont(double points, double zoom, const Language* language) {
    return Font(Families(language)
                    << FromUtf8(Fonts().captionFamily) << FromUtf8(Fonts().captionSubstitute),
                static_cast<int>(std::lround(points * kPixelsPerPoint)), zoom);
}

QFont InLanguage(QFont font, const Language& language) {
    QStringList families = font.families();
    if (families.isEmpty()) families << font.family();
    font.setFamilies(Families(&language) << families);
    return font;
}

void InstallFontSubstitutions() {
    QFont::insertSubstitution(FromUtf8(Fonts().captionFamily), FromUtf8(Fonts().captionSubstitute));
}

}  // namespace form
