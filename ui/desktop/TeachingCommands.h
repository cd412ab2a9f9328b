#pragma once

#include <QObject>
#include <functional>
#include <utility>
#include <vector>

#include "Controller.h"

class QAction;
class QActionGroup;
class QMenu;
class QWidget;

namespace form {

// The teacher's commands of the controller's table, as actions of the
// window: its background menu lists them after the zoom, and their keys
// work from whatever control has the focus. What the controller does not do
// itself goes to `frontEnd`.
class TeachingCommands : public QObject {
    Q_OBJECT
  public:
    using FrontEndCommand = std::function<void(controller::Command command, bool checked)>;
    TeachingCommands(controller::Controller& controller, QWidget& window, FrontEndCommand frontEnd);

    // Captions, enabled and ticked states as the controller has them now.
    void Refresh();
    // Every caption, the speeds' and the keys' line too, in the language
    // shown now.
    void LanguageChanged();
    QAction* Action(controller::Command command) const;
    QMenu* SpeedMenu() const { return speedMenu_; }
    // The separator above the line at the menu's foot: what the window adds
    // after the commands goes before it.
    QAction* Foot() const { return foot_; }

  private:
    void Add(const controller::CommandSpec& entry, QWidget& window);
    void Triggered(controller::Command command, QAction* action);

    controller::Controller& controller_;
    FrontEndCommand frontEnd_;
    std::vector<std::pair<controller::Command, QAction*>> actions_;
    QMenu* speedMenu_ = nullptr;
    std::vector<std::pair<int, QAction*>> speeds_;
    QAction* foot_ = nullptr;
    QAction* hint_ = nullptr;
};

}  // namespace form
