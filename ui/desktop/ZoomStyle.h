#pragma once

#include <QProxyStyle>

namespace form {

// Inside a button's bevel, the caption keeps this far from the edge.
inline constexpr auto kCaptionMarginMetric =
    static_cast<QStyle::PixelMetric>(QStyle::PM_CustomBase);

// The window's style: the application's, with the sizes the controls draw
// by (check box indicator, frames, spacing) taken as at 96 dpi and then
// multiplied by the window's zoom. Without it the check box indicator
// follows the screen's DPI while its box stays in twips, and outgrows the
// box at 192 dpi with Qt's scaling off.
class ZoomStyle : public QProxyStyle {
    Q_OBJECT
  public:
    ZoomStyle();

    void SetZoom(double zoom) { zoom_ = zoom; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

  private:
    double zoom_ = 1.0;
};

}  // namespace form
