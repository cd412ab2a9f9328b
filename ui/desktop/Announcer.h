#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class QWidget;

namespace controller {
class Controller;
}

namespace form {

class BandCanvas;

// A widget's accessible description that follows what it describes, but
// changes at most once per pause: asked for sooner, it waits for the pause
// to end. An unchanged text raises no event.
class PacedDescription : public QObject {
  public:
    PacedDescription(QWidget* target, int pauseMs, std::function<QString()> describe,
                     QObject* parent);

    // `now` takes the new text at once, as after a user's action.
    void Refresh(bool now);
    void Stop() { due_.stop(); }

  private:
    void Apply();

    QWidget* target_;
    int pauseMs_;
    std::function<QString()> describe_;
    QElapsedTimer changedAt_;
    QTimer due_;
};

// What a screen reader hears of the window besides its controls' names: the
// band diagram's and the chart's descriptions, kept current, and the
// controller's announcements, said without moving the focus.
class Announcer : public QObject {
  public:
    Announcer(const controller::Controller& controller, BandCanvas* diagram, QWidget* chart,
              QObject* parent);

    // After every event: a user's action refreshes the scene at once.
    void Refresh(bool byUser);
    // Says a text once; typing is heard once it pauses.
    void Say(const QString& text, bool onceTypingPauses);
    // The program has ended: nothing more is said.
    void Stop();
    // The diagram's name and both descriptions in the language shown now.
    void LanguageChanged();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const controller::Controller& controller_;
    BandCanvas* diagram_;
    QWidget* chart_;
    PacedDescription scene_;
    PacedDescription trend_;
    QTimer typing_;
    QString typed_;  // said once the typing pauses
};

}  // namespace form
