#include "DataOut.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPixmap>
#include <QSaveFile>
#include <QStandardPaths>
#include <QWidget>

#include "Localize.h"
#include "TextFill.h"
#include "Twips.h"

namespace form {

using controller::Command;

namespace {

// A file's icon and type by its name alone. Qt's own read its first bytes,
// and reading a special file can block for good: as root, /proc/kmsg
// waits for the kernel's next message.
class TypesByName : public QFileIconProvider {
  public:
    QIcon icon(const QFileInfo& info) const override {
        if (!info.isFile()) return QFileIconProvider::icon(info.isDir() ? Folder : File);
        return QIcon::fromTheme(ByName(info).iconName(), QFileIconProvider::icon(File));
    }
    QString type(const QFileInfo& info) const override {
        if (!info.isFile()) return QFileIconProvider::type(info);
        const QMimeType type = ByName(info);
        return type.comment().isEmpty() ? type.name() : type.comment();
    }

  private:
    QMimeType ByName(const QFileInfo& info) const {
        return types_.mimeTypeForFile(info, QMimeDatabase::MatchExtension);
    }
    QMimeDatabase types_;
};

}  // namespace

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
            // Qt's own dialog, which speaks the window's language; told
            // every file's type by name before it looks into any folder.
            TypesByName types;
            QFileDialog dialog(&window_, QString::fromStdString(controller_.Caption(
                                             picture ? Command::SavePicture : Command::SaveData)));
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setIconProvider(&types);
            dialog.setNameFilter(FromUtf8(picture ? texts.pictureFilter : texts.dataFilter));
            dialog.setDirectory(folder_);
            dialog.selectFile(QString::fromStdString(controller_.FileName(picture)));
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            Localize(dialog, language);
            if (dialog.exec() != QDialog::Accepted || controller_.Ended()) return;
            const QString path = dialog.selectedFiles().value(0);
            if (path.isEmpty()) return;
            // The data or the picture as they are when the file is chosen;
            // the next dialog opens where it went, not where a save failed.
            if (WriteFile(path, (this->*make)())) folder_ = QFileInfo(path).absolutePath();
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
