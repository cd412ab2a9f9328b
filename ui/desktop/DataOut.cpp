#include "DataOut.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

#include "Localize.h"
#include "TextFill.h"
#include "Twips.h"

namespace form {

using controller::Command;

QImage WindowPicture(QWidget& window, qreal ratio) {
    QPixmap picture(window.size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(window.palette().color(QPalette::Window));
    window.render(&picture);
    return picture.toImage();
}

DataOut::DataOut(const controller::Controller& controller, QWidget& window)
    : QObject(&window),
      controller_(controller),
      window_(window),
      folder_(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)) {}

QByteArray DataOut::CsvBytes() const {
    const std::string csv = controller_.Csv();
    return QByteArray(csv.data(), static_cast<qsizetype>(csv.size()));
}

QByteArray DataOut::PngBytes() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WindowPicture(window_, kPictureRatio).save(&buffer, "PNG");
    return bytes;
}

void DataOut::SaveData() { Save(false, &DataOut::CsvBytes); }

void DataOut::SavePicture() { Save(true, &DataOut::PngBytes); }

void DataOut::Save(bool picture, QByteArray (DataOut::*make)() const) {
    // Not inside the key's or the menu's handler: the dialog's own event
    // loop keeps the timers, and so the run, going.
    QMetaObject::invokeMethod(
        this,
        [this, picture, make] {
            const Language& language = controller_.Description().language();
            const TeachingTexts& texts = language.teaching;
            QFileDialog dialog(
                &window_,
                QString::fromStdString(
                    controller_.Caption(picture ? Command::SavePicture : Command::SaveData)),
                QDir(folder_).filePath(QString::fromStdString(controller_.FileName(picture))),
                FromUtf8(picture ? texts.pictureFilter : texts.dataFilter));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            Localize(dialog, language);
            if (dialog.exec() != QDialog::Accepted || controller_.Ended()) return;
            const QString path = dialog.selectedFiles().value(0);
            if (path.isEmpty()) return;
            folder_ = QFileInfo(path).absolutePath();
            // The data or the picture as they are when the file is chosen.
            WriteFile(path, (this->*make)());
        },
        Qt::QueuedConnection);
}

bool DataOut::WriteFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit()) {
        return true;
    }
    const TeachingTexts& texts = controller_.Description().language().teaching;
    const std::string message = controller::Fill(
        texts.saveFailed, {{"{file}", QDir::toNativeSeparators(path).toStdString()},
                           {"{reason}", file.errorString().toStdString()}});
    QMessageBox notice(QMessageBox::Warning, FromUtf8(controller_.Description().Title()),
                       QString::fromStdString(message), QMessageBox::Ok, &window_);
    Localize(notice, controller_.Description().language());
    notice.exec();
    return false;
}

void DataOut::CopyData() { QGuiApplication::clipboard()->setText(QString::fromUtf8(CsvBytes())); }

void DataOut::CopyPicture() {
    QGuiApplication::clipboard()->setImage(WindowPicture(window_, kPictureRatio));
}

}  // namespace form
