#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

#include "Runtime.h"
#include "form/Bindings.h"
#include "form/Spoken.h"

class QWidget;

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
// band diagram's and the chart's descriptions, kept current, and one
// announcement after an action, said without moving the focus.
class Announcer : public QObject {
  public:
    Announcer(const SpokenTexts& texts, const carriers::Runtime& runtime,
              std::function<SceneFacts()> facts, BandCanvas* diagram, QWidget* chart,
              QObject* parent);

    // After a handler has run to its end; no binding for Form_Load.
    void HandlerFinished(const Binding* binding);
    // The program has ended: nothing more is said.
    void Stop();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    const SpokenTexts& texts_;
    const carriers::Runtime& runtime_;
    std::function<SceneFacts()> facts_;
    BandCanvas* diagram_;
    QWidget* chart_;
    PacedDescription scene_;
    PacedDescription trend_;
    QTimer typing_;
    QString typed_;  // said once the typing pauses
};

// An input's description, its unit and range, followed by a hint about what
// it holds now, if there is one.
QString InputDescription(const SpokenTexts& texts, ControlKey control, const QString& hint = {});

}  // namespace form
