#pragma once

#include <QLocale>
#include <QString>

#include "Runtime.h"
#include "captions/Language.h"

namespace form {

// The message shown when Start refuses a box: names the box by its caption
// and gives the accepted range in the user's number format.
QString RejectionText(const NoticeTexts& notices, const QString& boxCaption,
                      carriers::AcceptedRange accepted, const QLocale& locale);

// The message of the last-resort error report, naming the error.
QString RuntimeErrorText(const NoticeTexts& notices, carriers::ErrorKind kind);

}  // namespace form
