#pragma once

#include <QTimer>
#include <QWidget>
#include <vector>

#include "Controller.h"

class QGridLayout;
class QLabel;
class QVBoxLayout;

namespace form {

class ClassDataChart;

// The "Class data" panel: a small window of its own beside the simulation's,
// which stays as it is. It shows the controller's figures and the chart over
// time, new at most twice a second, and zooms with the window so that the
// back of the room reads it.
class ClassDataPanel : public QWidget {
    Q_OBJECT
  public:
    ClassDataPanel(const controller::Controller& controller, QWidget* window);

    // Its size and type at `zoom` times the designed ones.
    void SetZoom(double zoom);
    double Zoom() const { return zoom_; }
    static QSize DesignSize();
    // Shows the controller's figures now.
    void Refresh();
    // Title, rows, legend and description in the language shown now, read
    // its way.
    void LanguageChanged();
    // The value shown in each row, for the tests.
    QStringList Values() const;

  signals:
    void closed();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Build(const controller::ClassDataView& view);
    // The words that stay until the language changes.
    void ShowCaptions(const controller::ClassDataView& view);
    // The language's faces at the zoom.
    void SetFonts();

    const controller::Controller& controller_;
    QTimer refresh_;
    QVBoxLayout* column_ = nullptr;
    QLabel* heading_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* overTime_ = nullptr;
    QGridLayout* rows_ = nullptr;
    std::vector<std::pair<QLabel*, QLabel*>> rowLabels_;
    ClassDataChart* chart_ = nullptr;
    QString described_;
    double zoom_ = 1.0;
};

}  // namespace form
