#include "Notices.h"

#include "Twips.h"

namespace form {

namespace {

QString Number(double value, const QLocale& locale) {
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(value, 'g', 15);
}

}  // namespace

QString RejectionText(const NoticeTexts& notices, const QString& boxCaption,
                      carriers::AcceptedRange accepted, const QLocale& locale) {
    return FromUtf8(notices.rejectMessage)
        .replace(QStringLiteral("{box}"), boxCaption)
        .replace(QStringLiteral("{low}"), Number(accepted.low, locale))
        .replace(QStringLiteral("{high}"), Number(accepted.high, locale));
}

QString RuntimeErrorText(const NoticeTexts& notices, carriers::ErrorKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return FromUtf8(notices.errorMessage)
        .replace(QStringLiteral("{error}"), FromUtf8(notices.errorNames.at(index)));
}

}  // namespace form
