#include "ReadoutAccessibility.h"

#include <QAccessible>
#include <QLineEdit>
#include <algorithm>

#include "controller/Spoken.h"

namespace form {

namespace {

// While a focused readout is written within its pause, Qt's own events for
// it are held back; every other event goes on as before.
QObject* heldSource = nullptr;
QAccessible::UpdateHandler nextHandler = nullptr;

void HoldReadoutEvents(QAccessibleEvent* event) {
    if (event->object() == heldSource) return;
    if (nextHandler) {
        nextHandler(event);
        return;
    }
    // No handler before ours: Qt delivers to the platform itself when none
    // is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(HoldReadoutEvents);
}

class HeldEvents {
  public:
    explicit HeldEvents(QObject* source) {
        heldSource = source;
        nextHandler = QAccessible::installUpdateHandler(HoldReadoutEvents);
    }
    ~HeldEvents() {
        QAccessible::installUpdateHandler(nextHandler);
        heldSource = nullptr;
        nextHandler = nullptr;
    }
    HeldEvents(const HeldEvents&) = delete;
    HeldEvents& operator=(const HeldEvents&) = delete;
};

void Show(QLineEdit* box, const QString& text) {
    box->setText(text);
    // A number reads from its first digit: a box too narrow for the text
    // shows its start, minus sign included, not its end.
    box->setCursorPosition(0);
}

}  // namespace

BoxWriter::BoxWriter(QObject* parent) : QObject(parent) {}

BoxWriter::~BoxWriter() = default;

void BoxWriter::AddReadout(QLineEdit* box) {
    auto readout = std::make_unique<Readout>();
    readout->box = box;
    readout->heard = box->text();
    // From its first digit already before the model writes it: the same
    // number written again is not written at all.
    box->setCursorPosition(0);
    readout->catchUp.setSingleShot(true);
    connect(&readout->catchUp, &QTimer::timeout, this, [this, r = readout.get()] { CatchUp(*r); });
    readouts_.push_back(std::move(readout));
}

void BoxWriter::Write(QLineEdit* box, const QString& text) {
    if (box->text() == text) return;
    const auto found = std::find_if(readouts_.begin(), readouts_.end(),
                                    [box](const auto& r) { return r->box == box; });
    Readout* readout = found == readouts_.end() ? nullptr : found->get();
    const qint64 waited =
        readout && readout->heardAt.isValid() ? readout->heardAt.elapsed() : kFocusedReadoutPauseMs;
    if (!readout || !box->hasFocus() || waited >= kFocusedReadoutPauseMs) {
        Show(box, text);
        if (readout) {
            readout->heard = text;
            readout->heardAt.start();
        }
        return;
    }
    {
        const HeldEvents held(box);
        Show(box, text);
    }
    if (!readout->catchUp.isActive()) {
        readout->catchUp.start(static_cast<int>(kFocusedReadoutPauseMs - waited));
    }
}

void BoxWriter::CatchUp(Readout& readout) {
    const QString now = readout.box->text();
    if (now == readout.heard) return;  // back to what was heard
    QAccessibleTextUpdateEvent changed(readout.box, 0, readout.heard, now);
    QAccessible::updateAccessibility(&changed);
    readout.heard = now;
    readout.heardAt.start();
}

}  // namespace form
