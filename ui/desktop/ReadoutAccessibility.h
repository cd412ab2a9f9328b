#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>
#include <vector>

class QLineEdit;

namespace form {

// Writes the model's texts into the boxes. The same text again is no
// change, for the eye or the ear. A readout shows every count as it comes,
// but while it has the focus a screen reader hears at most one change per
// pause, and then the latest count, not each tick's.
class BoxWriter : public QObject {
  public:
    explicit BoxWriter(QObject* parent);
    ~BoxWriter() override;

    void AddReadout(QLineEdit* box);
    void Write(QLineEdit* box, const QString& text);

  private:
    struct Readout {
        QLineEdit* box;
        QString heard;  // the text a screen reader was last told of
        QElapsedTimer heardAt;
        QTimer catchUp;
    };

    void CatchUp(Readout& readout);

    std::vector<std::unique_ptr<Readout>> readouts_;
};

}  // namespace form
