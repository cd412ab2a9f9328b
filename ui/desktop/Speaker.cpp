#include "Speaker.h"

#include <QElapsedTimer>
#include <QTextToSpeech>
#include <utility>

#include "Spoken.h"

namespace form {

using controller::SpeechState;

std::optional<QLocale> VoiceLocale(const QString& languageTag, const QList<QLocale>& available) {
    const QLocale wanted(languageTag);
    if (wanted.language() == QLocale::C) return std::nullopt;
    std::optional<QLocale> sameLanguage;
    for (const QLocale& locale : available) {
        if (locale.language() != wanted.language()) continue;
        if (locale.territory() == wanted.territory()) return locale;
        if (!sameLanguage) sameLanguage = locale;
    }
    return sameLanguage;
}

namespace {

// Countries that voices name otherwise than Qt does, as espeak-ng does.
constexpr std::pair<QLocale::Territory, const char*> kCountriesAlsoCalled[] = {
    {QLocale::UnitedStates, "America"},
};

bool NamesCountry(const QString& qualifier, QLocale::Territory country) {
    if (qualifier.contains(QLocale::territoryToString(country), Qt::CaseInsensitive)) return true;
    for (const auto& [territory, name] : kCountriesAlsoCalled) {
        if (territory == country && qualifier.contains(QLatin1String(name))) return true;
    }
    return false;
}

}  // namespace

qsizetype VoiceOf(const QString& languageTag, const QStringList& voiceNames) {
    const QLocale::Territory country = QLocale(languageTag).territory();
    qsizetype plain = -1;
    for (qsizetype i = 0; i < voiceNames.size(); ++i) {
        // "Portuguese (Brazil)": the qualifier only, since "Russian (Latvia)"
        // is not Russia's.
        const qsizetype open = voiceNames[i].indexOf(u'(');
        if (open < 0) {
            if (plain < 0) plain = i;
        } else if (NamesCountry(voiceNames[i].mid(open), country)) {
            return i;
        }
    }
    if (plain >= 0) return plain;
    return voiceNames.isEmpty() ? -1 : 0;
}

// The engine's side, on the speech thread: everything here runs there.
class SpeechWorker : public QObject {
  public:
    using Report = std::function<void(const QString& languageTag, SpeechState state)>;
    explicit SpeechWorker(Report report) : report_(std::move(report)) {}

    void Open(const QString& languageTag) {
        // No plugin, or no service behind it: the device cannot speak.
        if (!QTextToSpeech::availableEngines().isEmpty()) {
            engine_ = new QTextToSpeech(this);
            if (engine_->state() == QTextToSpeech::Error) Close();
        }
        if (engine_) {
            connect(engine_, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State now) {
                if (now == QTextToSpeech::Speaking || now == QTextToSpeech::Paused) return;
                speaking_ = false;
                Flush();
            });
            connect(engine_, &QTextToSpeech::errorOccurred, this,
                    [this](QTextToSpeech::ErrorReason reason) {
                        speaking_ = false;
                        if (reason == QTextToSpeech::ErrorReason::Initialization) {
                            Close();
                            report_(languageTag_, SpeechState::NoService);
                        }
                    });
        }
        Choose(languageTag);
    }

    void Choose(const QString& languageTag) {
        languageTag_ = languageTag;
        voiced_ = false;
        if (!engine_) {
            report_(languageTag, SpeechState::NoService);
            return;
        }
        if (const auto locale = VoiceLocale(languageTag, engine_->availableLocales())) {
            engine_->setLocale(*locale);
            const QList<QVoice> voices = engine_->availableVoices();
            QStringList names;
            for (const QVoice& voice : voices) names.append(voice.name());
            if (const qsizetype chosen = VoiceOf(languageTag, names); chosen >= 0) {
                engine_->setVoice(voices[chosen]);
                voiced_ = true;
            }
        }
        report_(languageTag, voiced_ ? SpeechState::Ready : SpeechState::NoVoice);
    }

    void Say(const QString& text, const QString& languageTag) {
        if (languageTag != languageTag_) Choose(languageTag);
        pending_ = text;
        // After every call already queued behind this one, so that only the
        // newest of a burst is said.
        QMetaObject::invokeMethod(
            this, [this] { Flush(); }, Qt::QueuedConnection);
    }

    void Stop() {
        pending_.reset();
        speaking_ = false;
        if (engine_) engine_->stop();
    }

  private:
    void Flush() {
        if (!engine_ || !voiced_ || !pending_) return;
        // An utterance the service dropped before it began reports no end:
        // an engine idle for a while since is taken as done.
        if (speaking_ && !(engine_->state() == QTextToSpeech::Ready && saidAt_.elapsed() > 2000)) {
            return;
        }
        speaking_ = true;
        saidAt_.start();
        engine_->say(*pending_);
        pending_.reset();
    }

    void Close() {
        // Soon rather than at exit, since tearing down a failed connection
        // takes seconds; not at once, since this may run inside one of the
        // engine's own signals.
        if (engine_) engine_->deleteLater();
        engine_ = nullptr;
        voiced_ = false;
    }

    Report report_;
    QTextToSpeech* engine_ = nullptr;
    QString languageTag_;
    bool voiced_ = false;
    bool speaking_ = false;
    QElapsedTimer saidAt_;
    std::optional<QString> pending_;
};

Speaker::Speaker(const QString& languageTag, StateReport report, QObject* parent)
    : QObject(parent),
      languageTag_(languageTag),
      report_(std::move(report)),
      worker_(new SpeechWorker([this](const QString& tag, SpeechState state) {
          QMetaObject::invokeMethod(
              this,
              [this, tag, state] {
                  // A report on a language the window has since left is moot.
                  if (tag == languageTag_) report_(state);
              },
              Qt::QueuedConnection);
      })) {
    thread_.setObjectName(QStringLiteral("speech"));
    worker_->moveToThread(&thread_);
    connect(&thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_.start();
    QMetaObject::invokeMethod(worker_,
                              [worker = worker_, languageTag] { worker->Open(languageTag); });
    typing_.setSingleShot(true);
    typing_.setInterval(kTypingPauseMs);
    connect(&typing_, &QTimer::timeout, this, [this] {
        Hand(QString::fromStdString(typed_.text), QString::fromStdString(typed_.languageTag));
    });
}

Speaker::~Speaker() {
    // Behind whatever was handed over already: the service would otherwise
    // go on saying it after the program has ended. Waits for an engine still
    // connecting; the window is gone by then.
    QMetaObject::invokeMethod(worker_, [worker = worker_] {
        worker->Stop();
        QThread::currentThread()->quit();
    });
    thread_.wait();
}

void Speaker::SetLanguage(const QString& languageTag) {
    languageTag_ = languageTag;
    typing_.stop();
    QMetaObject::invokeMethod(worker_, [worker = worker_, languageTag] {
        worker->Stop();
        worker->Choose(languageTag);
    });
}

void Speaker::Say(const controller::Utterance& utterance) {
    if (utterance.onceTypingPauses) {
        typed_ = utterance;
        typing_.start();
        return;
    }
    // What came after the typing is newer than what the typing set.
    typing_.stop();
    Hand(QString::fromStdString(utterance.text), QString::fromStdString(utterance.languageTag));
}

void Speaker::Hand(const QString& text, const QString& languageTag) {
    QMetaObject::invokeMethod(
        worker_, [worker = worker_, text, languageTag] { worker->Say(text, languageTag); });
}

void Speaker::Stop() {
    typing_.stop();
    QMetaObject::invokeMethod(worker_, [worker = worker_] { worker->Stop(); });
}

}  // namespace form
