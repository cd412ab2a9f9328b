#include "ClassDataPanel.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ClassDataChart.h"
#include "Fonts.h"
#include "Localize.h"
#include "Twips.h"

namespace form {

namespace {

// Its size at zoom 1, in pixels, as the window's design size is.
constexpr int kDesignWidth = 400;
constexpr int kDesignHeight = 440;
// The window's font, enlarged: the figures are read from the back.
constexpr double kLabelScale = 1.3;
constexpr double kFigureScale = 1.8;
// The chart's height in lines of its font: the legend, the axes' names and numbers and
// room for the traces, in a script whose lines are tall as in any other.
constexpr int kChartLines = 8;

QFont Scaled(const Language& language, double zoom, double scale, bool bold) {
    QFont font = DefaultFont(zoom, &language);
    font.setPixelSize(static_cast<int>(std::lround(font.pixelSize() * scale)));
    font.setBold(bold);
    return font;
}

}  // namespace

ClassDataPanel::ClassDataPanel(const controller::Controller& controller, QWidget* window)
    // A window of its own with its own close, which hides it as Alt+C does.
    : QWidget(window,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      controller_(controller) {
    setObjectName(QStringLiteral("ClassDataPanel"));
    column_ = new QVBoxLayout(this);
    QVBoxLayout* layout = column_;
    heading_ = new QLabel(this);
    heading_->setWordWrap(true);
    state_ = new QLabel(this);
    rows_ = new QGridLayout;
    layout->addWidget(heading_);
    layout->addWidget(state_);
    layout->addLayout(rows_);

    refresh_.setInterval(controller::kClassDataRefreshMs);
    connect(&refresh_, &QTimer::timeout, this, &ClassDataPanel::Refresh);
    Build(controller_.ClassDataPanel());
    SetZoom(1.0);
}

void ClassDataPanel::Build(const controller::ClassDataView& view) {
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
        auto* label = new QLabel(this);
        auto* value = new QLabel(this);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int at = rows_->rowCount();
        rows_->addWidget(label, at, 0);
        rows_->addWidget(value, at, 1, Qt::AlignRight);
        rowLabels_.emplace_back(label, value);
    }
    // Created after the rows, so that a screen reader meets them in order.
    overTime_ = new QLabel(this);
    chart_ = new ClassDataChart(this);
    column_->addWidget(overTime_);
    column_->addWidget(chart_, 1);
    ShowCaptions(view);
}

void ClassDataPanel::ShowCaptions(const controller::ClassDataView& view) {
    setWindowTitle(FromUtf8(view.title));
    setAccessibleName(FromUtf8(view.title));
    for (std::size_t i = 0; i < rowLabels_.size() && i < view.rows.size(); ++i) {
        rowLabels_[i].first->setText(FromUtf8(view.rows[i].label));
    }
    overTime_->setText(FromUtf8(view.overTime));
    // The rows and the legend read the language's way; the chart's time
    // still runs left to right.
    setLayoutDirection(TextDirection(controller_.Description().language()));
    // Words that run the other way than the language, such as "√(n·p)",
    // still line up with the rest.
    const Qt::Alignment start =
        layoutDirection() == Qt::RightToLeft ? Qt::AlignRight | Qt::AlignAbsolute : Qt::AlignLeft;
    for (const auto& [label, value] : rowLabels_) label->setAlignment(start | Qt::AlignVCenter);
}

void ClassDataPanel::LanguageChanged() {
    ShowCaptions(controller_.ClassDataPanel());
    SetFonts();
    if (isVisible()) Refresh();
}

void ClassDataPanel::SetFonts() {
    const Language& language = controller_.Description().language();
    setFont(Scaled(language, zoom_, kLabelScale, false));
    heading_->setFont(Scaled(language, zoom_, kLabelScale, true));
    for (const auto& [label, value] : rowLabels_) {
        value->setFont(Scaled(language, zoom_, kFigureScale, true));
    }
    chart_->setMinimumHeight(kChartLines * QFontMetrics(font()).height());
}

void ClassDataPanel::SetZoom(double zoom) {
    zoom_ = zoom;
    SetFonts();
    const int gap = static_cast<int>(std::lround(8 * zoom));
    layout()->setContentsMargins(gap, gap, gap, gap);
    rows_->setHorizontalSpacing(gap * 2);
    // The layout's minimum follows the new faces only once it is activated:
    // resized before, the panel would keep a larger zoom's size.
    layout()->activate();
    resize(DesignSize() * zoom);
}

QSize ClassDataPanel::DesignSize() { return {kDesignWidth, kDesignHeight}; }

void ClassDataPanel::Refresh() {
    const controller::ClassDataView view = controller_.ClassDataPanel();
    heading_->setText(FromUtf8(view.heading));
    state_->setText(FromUtf8(view.state));
    for (std::size_t i = 0; i < rowLabels_.size() && i < view.rows.size(); ++i) {
        rowLabels_[i].second->setText(FromUtf8(view.rows[i].value));
    }
    chart_->Show(view);
    chart_->setAccessibleName(FromUtf8(view.overTime));
    const QString described = FromUtf8(view.described);
    if (described != described_) {
        described_ = described;
        setAccessibleDescription(described);
    }
}

QStringList ClassDataPanel::Values() const {
    QStringList values;
    for (const auto& [label, value] : rowLabels_) values << value->text();
    return values;
}

void ClassDataPanel::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Refresh();
    refresh_.start();
}

void ClassDataPanel::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    refresh_.stop();
    emit closed();
}

}  // namespace form
