#pragma once

#include <QObject>
#include <utility>
#include <vector>

#include "Controller.h"

class QAction;
class QMenu;
class QWidget;

namespace form {

// The background menu's "Language" submenu: every language listed in its
// own name and face, the one shown now ticked. Choosing one switches every
// text at once; nothing of the run changes.
class LanguageMenu : public QObject {
    Q_OBJECT
  public:
    LanguageMenu(controller::Controller& controller, QWidget& window);

    QMenu* Menu() const { return menu_; }
    // Its caption, tick, face and direction as the language shown now has them.
    void LanguageChanged();

  private:
    controller::Controller& controller_;
    QMenu* menu_ = nullptr;
    std::vector<std::pair<const Language*, QAction*>> choices_;
};

}  // namespace form
