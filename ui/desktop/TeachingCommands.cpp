#include "TeachingCommands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QWidget>

#include "Localize.h"
#include "Twips.h"

namespace form {

using controller::Command;

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TeachingCommands::TeachingCommands(controller::Controller& controller, QWidget& window,
                                   FrontEndCommand frontEnd)
    : QObject(&window), controller_(controller), frontEnd_(std::move(frontEnd)) {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    window.addAction(separator);
    for (const controller::CommandSpec& entry : controller::CommandTable()) {
        if (controller::OnFrontEnd(entry, controller::FrontEnds::Desktop)) Add(entry, window);
    }
    hint_ = new QAction(this);
    hint_->setEnabled(false);
    foot_ = new QAction(this);
    foot_->setSeparator(true);
    window.addActions({foot_, hint_});
    LanguageChanged();
}

void TeachingCommands::Add(const controller::CommandSpec& entry, QWidget& window) {
    const Command command = entry.command;
    if (command == Command::Speed) {
        speedMenu_ = new QMenu(&window);
        auto* group = new QActionGroup(speedMenu_);
        for (const int speed : controller::kSpeeds) {
            QAction* choice = speedMenu_->addAction(QString());
            choice->setCheckable(true);
            group->addAction(choice);
            connect(choice, &QAction::triggered, this, [this, speed] {
                controller_.Run(Command::Speed, speed);
                Refresh();
            });
            speeds_.emplace_back(speed, choice);
        }
        window.addAction(speedMenu_->menuAction());
        actions_.emplace_back(command, speedMenu_->menuAction());
        return;
    }
    auto* action = new QAction(this);
    action->setCheckable(controller::IsCheckItem(command));
    if (!entry.keys.empty()) {
        action->setShortcut(QKeySequence(FromUtf8(entry.keys)));
        // From every box, button and the chart: a box leaves Alt
        // combinations to the window, so they never type into it.
        action->setShortcutContext(Qt::WindowShortcut);
    }
    connect(action, &QAction::triggered, this,
            [this, command, action] { Triggered(command, action); });
    window.addAction(action);
    actions_.emplace_back(command, action);
}

void TeachingCommands::Triggered(Command command, QAction* action) {
    if (!controller_.Run(command)) frontEnd_(command, action->isChecked());
    Refresh();
}

void TeachingCommands::Refresh() {
    for (const auto& [command, action] : actions_) {
        action->setText(Text(controller_.Caption(command)));
        action->setEnabled(controller_.Enabled(command));
        // The panel's tick is the panel's own; speech's is the controller's.
        if (command == Command::Speak) action->setChecked(controller_.SpeakOn());
    }
    for (const auto& [speed, choice] : speeds_) choice->setChecked(speed == controller_.Speed());
}

void TeachingCommands::LanguageChanged() {
    const form::Language& language = controller_.Description().language();
    hint_->setText(FromUtf8(language.teaching.keysHint));
    for (const auto& [speed, choice] : speeds_) {
        choice->setText(Text(controller_.SpeedCaption(speed)));
    }
    if (speedMenu_) Localize(*speedMenu_, language);
    Refresh();
}

QAction* TeachingCommands::Action(Command command) const {
    for (const auto& [each, action] : actions_) {
        if (each == command) return action;
    }
    return nullptr;
}

}  // namespace form
