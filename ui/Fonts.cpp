#include "Fonts.h"

#include <QStringList>
#include <cmath>

namespace form {

namespace {

const QString kCaptionFamily = QStringLiteral("ＭＳ Ｐゴシック");
// Same design family (a proportional Japanese Gothic), installed by
// fonts-ipafont-gothic; its em box is its line height, as the layout expects.
const QString kGothicFamily = QStringLiteral("IPAPGothic");
const QString kLatinFamily = QStringLiteral("Nimbus Sans Narrow");
constexpr int kDefaultPixels = 10;
constexpr double kPixelsPerPoint = 96.0 / 72.0;
// Horizontal hinting would round every glyph's advance differently on each
// platform plugin; without it captions measure the same everywhere, which
// is what lets a test promise they fit.
constexpr QFont::HintingPreference kHinting = QFont::PreferVerticalHinting;

}  // namespace

QFont DefaultFont() {
    QFont font;
    font.setFamilies({kLatinFamily, kGothicFamily});
    font.setPixelSize(kDefaultPixels);
    font.setWeight(QFont::Normal);
    font.setHintingPreference(kHinting);
    return font;
}

QFont CaptionFont(double points) {
    QFont font;
    font.setFamilies({kCaptionFamily, kGothicFamily});
    font.setPixelSize(static_cast<int>(std::lround(points * kPixelsPerPoint)));
    font.setWeight(QFont::Normal);
    font.setHintingPreference(kHinting);
    return font;
}

void InstallFontSubstitutions() { QFont::insertSubstitution(kCaptionFamily, kGothicFamily); }

}  // namespace form
