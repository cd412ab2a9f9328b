#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <optional>

#include "Controller.h"

class QWidget;

namespace form {

// The window drawn anew at `ratio` device pixels per pixel, so that its
// captions, lines and markers are sharp, not an enlarged screen grab.
QImage WindowPicture(QWidget& window, qreal ratio);

// The picture a teacher saves or copies: the window at least twice its
// designed size.
inline constexpr qreal kPictureRatio = 2.0;

// "Save data as CSV", "Save picture" and the two copies. The dialogs run
// after the command's own handler has returned, and the run goes on while
// they are open.
class DataOut : public QObject {
    Q_OBJECT
  public:
    DataOut(const controller::Controller& controller, QWidget& window);

    void SaveData();
    void SavePicture();
    void CopyData();
    void CopyPicture();

    // Writes the bytes whole or not at all; false after the user has been
    // told why.
    bool WriteFile(const QString& path, const QByteArray& bytes);

  private:
    // The dialog, then the bytes `make` gives at that moment.
    void Save(bool picture, QByteArray (DataOut::*make)() const);
    QByteArray CsvBytes() const;
    QByteArray PngBytes() const;

    const controller::Controller& controller_;
    QWidget& window_;
    QString folder_;  // where the last file was saved
};

}  // namespace form
