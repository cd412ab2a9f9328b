#pragma once

class QAccessibleInterface;
class QObject;
class QString;

namespace form {

// Qt 6.4's own accessible text box hangs the program on a word or sentence
// query at the end of its text or at the start of a text that no word starts,
// such as "-3" (QAccessibleTextInterface::textAtOffset loops for ever there),
// and reports each text attribute run as empty, so a
// screen reader that splits the text by runs drops its last character. Qt
// does not export that class, so this interface stands in for it, the same
// in everything else, for every QLineEdit. Returns null for other objects.
QAccessibleInterface* LineEditAccessibleFactory(const QString& className, QObject* object);

}  // namespace form
