#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include "Speaker.h"
#include "TeachingCommands.h"
#include "WindowTestSupport.h"

using controller::Command;
using controller::SpeechState;

namespace {

QAction* Action(form::Form1& w, Command command) { return w.Commands().Action(command); }

QString NoService(const form::Language& language) {
    return QString::fromUtf8(language.teaching.noService.data(),
                             static_cast<qsizetype>(language.teaching.noService.size()));
}

// The longest the window's event loop went unserved while `done` was awaited.
qint64 LongestStallUntil(const std::function<bool()>& done, int timeoutMs) {
    QElapsedTimer clock, since;
    clock.start();
    since.start();
    qint64 longest = 0;
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout,
                     [&] { longest = std::max(longest, since.restart()); });
    beat.start(10);
    while (!done() && clock.elapsed() < timeoutMs) QTest::qWait(10);
    return longest;
}

}  // namespace

class SpeakerTest : public QObject {
    Q_OBJECT
  private slots:
    // The locales as speech-dispatcher lists espeak-ng's voices.
    void voiceOfTheLanguageOnly_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("locales");
        QTest::addColumn<QString>("voice");  // none: empty
        QTest::newRow("en, its own country first")
            << "en" << QStringList{"en_GB", "en_US"} << "en_US";
        QTest::newRow("es, Spain's before Latin America's")
            << "es" << QStringList{"es_419", "es_ES"} << "es_ES";
        QTest::newRow("pt-BR, Brazil's") << "pt-BR" << QStringList{"pt_PT", "pt_BR"} << "pt_BR";
        QTest::newRow("fr, another country's French")
            << "fr" << QStringList{"de_CH", "fr_BE", "fr_CH"} << "fr_BE";
        QTest::newRow("ar") << "ar" << QStringList{"ar_MR", "ar_EG"} << "ar_EG";
        QTest::newRow("zh-Hans, not Cantonese")
            << "zh-Hans" << QStringList{"yue_HK", "ja_JP"} << "";
        QTest::newRow("hi, not India's English") << "hi" << QStringList{"en_IN", "bn_IN"} << "";
        QTest::newRow("ja, none at all") << "ja" << QStringList{} << "";
    }
    void voiceOfTheLanguageOnly() {
        QFETCH(QString, tag);
        QFETCH(QStringList, locales);
        QFETCH(QString, voice);
        QList<QLocale> available;
        for (const QString& name : locales) available.append(QLocale(name));
        const auto chosen = form::VoiceLocale(tag, available);
        QCOMPARE(chosen ? chosen->name() : QString(), voice);
    }

    // The voices as espeak-ng names them, in the order Qt lists them.
    void voiceOfTheCountry_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("voices");
        QTest::addColumn<QString>("voice");
        QTest::newRow("pt-BR, not Portugal's")
            << "pt-BR" << QStringList{"Portuguese (Portugal)", "Portuguese (Brazil)"}
            << "Portuguese (Brazil)";
        QTest::newRow("en, not a regional variant")
            << "en"
            << QStringList{"English (Caribbean)", "English (America)",
                           "English (America, New York City)"}
            << "English (America)";
        QTest::newRow("ru, the plain one")
            << "ru" << QStringList{"Russian (Latvia)", "Russian"} << "Russian";
        QTest::newRow("vi, the first of equals")
            << "vi" << QStringList{"Vietnamese (Northern)", "Vietnamese (Central)"}
            << "Vietnamese (Northern)";
        QTest::newRow("none") << "ja" << QStringList{} << "";
    }
    void voiceOfTheCountry() {
        QFETCH(QString, tag);
        QFETCH(QStringList, voices);
        QFETCH(QString, voice);
        const qsizetype chosen = form::VoiceOf(tag, voices);
        QCOMPARE(chosen < 0 ? QString() : voices[chosen], voice);
    }

    // Run with no speech service to be reached (the test's environment).
    void withoutAServiceTheWindowRunsAndTheCommandSaysWhy() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QAction* speak = Action(*w, Command::Speak);
        QVERIFY(speak->isCheckable());
        QVERIFY(!speak->isChecked());
        QVERIFY(speak->isEnabled());  // until the engine says otherwise
        speak->trigger();
        QVERIFY(w->Controller().SpeakOn());
        QVERIFY(speak->isChecked());
        QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        // Looking for the service takes seconds, and never holds the window.
        const qint64 stall = LongestStallUntil(
            [&] { return w->Controller().Speech() == SpeechState::NoService; }, 20000);
        QCOMPARE(w->Controller().Speech(), SpeechState::NoService);
        QVERIFY2(stall < 1000, qPrintable(QStringLiteral("stalled %1 ms").arg(stall)));
        QVERIFY(w->Controller().Record().Ticks() > 0);
        QVERIFY(!speak->isEnabled());
        QCOMPARE(speak->text(), NoService(form::EnglishLanguage()));
        QVERIFY(!Action(*w, Command::SayScene)->isEnabled());
        // No other language can be spoken either, and the reason is in it.
        const form::Language& spanish = *form::FindLanguage("es");
        w->Controller().SetLanguage(spanish);
        QCOMPARE(w->Controller().Speech(), SpeechState::NoService);
        QCOMPARE(speak->text(), NoService(spanish));
        w->Controller().Close();
    }

    // Run by speech_test.sh against a real service with espeak-ng: English
    // has a voice, Chinese none (the command greys out with the reason), and
    // Spanish brings the command back.
    void eachLanguageFindsItsOwnVoice() {
        if (qEnvironmentVariableIsEmpty("QUARVEL_SPEECH_SERVICE")) QSKIP("no speech service");
        const auto w = OpenWindow(form::EnglishLanguage());
        w->Controller().Run(Command::Speak);
        QTRY_COMPARE_WITH_TIMEOUT(w->Controller().Speech(), SpeechState::Ready, 15000);
        const struct {
            const char* code;
            SpeechState state;
        } rows[] = {{"zh", SpeechState::NoVoice}, {"es", SpeechState::Ready}};
        for (const auto& row : rows) {
            w->Controller().SetLanguage(*form::FindLanguage(row.code));
            QCOMPARE(w->Controller().Speech(), SpeechState::Unknown);
            QTRY_COMPARE_WITH_TIMEOUT(w->Controller().Speech(), row.state, 5000);
            QCOMPARE(Action(*w, Command::Speak)->isEnabled(), row.state == SpeechState::Ready);
            QVERIFY(Action(*w, Command::Speak)->isChecked());
        }
        w->Controller().Close();
    }
};

QUARVEL_TEST_MAIN(SpeakerTest)
#include "SpeakerTest.moc"
