#pragma once

#include <QList>
#include <QLocale>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <functional>
#include <optional>

#include "Speech.h"

namespace form {

class SpeechWorker;

// The engine's locale that speaks a language given by its BCP 47 tag: the
// same language and, where it has several, the tag's own country first
// ("pt-BR" takes pt_BR, "es" es_ES before es_419). None where no locale is
// of that language: another language's voice is never taken instead.
std::optional<QLocale> VoiceLocale(const QString& languageTag, const QList<QLocale>& available);

// Which of a locale's voices speaks the tag's language as its country (the
// tag's, or the language's own) does: the one naming that country
// ("Portuguese (Brazil)"), else one naming none ("Russian" before "Russian
// (Latvia)"), else the first. -1 if there are none.
qsizetype VoiceOf(const QString& languageTag, const QStringList& voiceNames);

// Reads utterances aloud through the system's speech service, away from the
// window: connecting to it can take seconds, so the engine is made and
// driven on a thread of its own, and nothing here ever waits for it.
// At most one utterance waits: a newer one replaces it, and it is said once
// the engine has finished what it is saying.
class Speaker : public QObject {
  public:
    // Told, on the window's thread, whether the language last asked for can
    // be spoken (Ready), has no voice (NoVoice) or the device cannot speak
    // at all (NoService).
    using StateReport = std::function<void(controller::SpeechState state)>;
    Speaker(const QString& languageTag, StateReport report, QObject* parent);
    ~Speaker() override;

    // The window's language changed: its voice is looked for anew, and what
    // was still to be said in the old one is dropped.
    void SetLanguage(const QString& languageTag);
    // Typing is heard once it pauses, as a screen reader hears it.
    void Say(const controller::Utterance& utterance);
    // Silence now: the current utterance ends and none waits.
    void Stop();

  private:
    void Hand(const QString& text, const QString& languageTag);

    QString languageTag_;
    StateReport report_;
    QThread thread_;
    SpeechWorker* worker_;
    QTimer typing_;
    controller::Utterance typed_;
};

}  // namespace form
