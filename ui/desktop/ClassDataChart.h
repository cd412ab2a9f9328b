#pragma once

#include <QWidget>

#include "ClassDataView.h"

namespace form {

// The "Class data" panel's chart over time: electrons and holes on the
// counts' scale at the left, n·p on its own scale at the right with a dashed
// line at the law's value, a legend above that names every line, and what
// each axis counts.
class ClassDataChart : public QWidget {
    Q_OBJECT
  public:
    explicit ClassDataChart(QWidget* parent = nullptr);
    void Show(const controller::ClassDataView& view);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    controller::ClassDataView view_;
};

}  // namespace form
