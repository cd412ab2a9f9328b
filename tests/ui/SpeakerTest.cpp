#include <QAction>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include "Speaker.h"
#include "TeachingCommands.h"
#include "WindowTestSupport.h"

using controller::Command;
using controller::SpeechState;

class SpeakerTest : public QObject {
    Q_OBJECT
  private slots:
    // Locales and voices as Qt lists espeak-ng's through speech-dispatcher.
    void voiceOfTheLanguageAndCountry_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QStringList>("locales");
        QTest::addColumn<QStringList>("voices");  // of the chosen locale
        QTest::addColumn<QString>("chosen");      // "locale/voice", empty for none
        QTest::newRow("en") << "en" << QStringList{"en_GB", "en_US"}
                            << QStringList{"English (Caribbean)", "English (America)",
                                           "English (America, New York City)"}
                            << "en_US/English (America)";
        QTest::newRow("es") << "es" << QStringList{"es_419", "es_ES"}
                            << QStringList{"Spanish (Spain)"} << "es_ES/Spanish (Spain)";
        QTest::newRow("pt-BR") << "pt-BR" << QStringList{"pt_PT", "pt_BR"}
                               << QStringList{"Portuguese (Portugal)", "Portuguese (Brazil)"}
                               << "pt_BR/Portuguese (Brazil)";
        QTest::newRow("ru") << "ru" << QStringList{"ru_RU"}
                            << QStringList{"Russian (Latvia)", "Russian"} << "ru_RU/Russian";
        QTest::newRow("zh-Hans, not Cantonese")
            << "zh-Hans" << QStringList{"yue_HK", "ja_JP"} << QStringList{} << "";
        QTest::newRow("hi, not India's English")
            << "hi" << QStringList{"en_IN", "bn_IN"} << QStringList{} << "";
    }
    void voiceOfTheLanguageAndCountry() {
        QFETCH(QString, tag);
        QFETCH(QStringList, locales);
        QFETCH(QStringList, voices);
        QFETCH(QString, chosen);
        QList<QLocale> available;
        for (const QString& name : locales) available.append(QLocale(name));
        const auto locale = form::VoiceLocale(tag, available);
        const qsizetype voice = form::VoiceOf(tag, voices);
        QCOMPARE(locale && voice >= 0 ? locale->name() + u'/' + voices[voice] : QString(), chosen);
    }

    // Run with no speech service to be reached (the test's environment).
    void withoutAServiceTheWindowRunsAndTheCommandSaysWhy() {
        const auto w = OpenWindow(form::EnglishLanguage());
        QAction* speak = w->Commands().Action(Command::Speak);
        QVERIFY(speak->isCheckable() && !speak->isChecked());
        QVERIFY(speak->isEnabled());  // until the engine says otherwise
        speak->trigger();
        QVERIFY(w->Controller().SpeakOn() && speak->isChecked());
        QTest::mouseClick(w->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        // Looking for the service never holds the window.
        QElapsedTimer clock, sinceBeat;
        qint64 stall = 0;
        QTimer beat;
        connect(&beat, &QTimer::timeout, [&] { stall = std::max(stall, sinceBeat.restart()); });
        clock.start();
        sinceBeat.start();
        beat.start(10);
        while (w->Controller().Speech() != SpeechState::NoService && clock.elapsed() < 20000) {
            QTest::qWait(10);
        }
        QCOMPARE(w->Controller().Speech(), SpeechState::NoService);
        QVERIFY2(stall < 1000, qPrintable(QStringLiteral("stalled %1 ms").arg(stall)));
        QVERIFY(w->Controller().Record().Ticks() > 0);
        QVERIFY(!speak->isEnabled());
        QCOMPARE(speak->text(), form::FromUtf8(form::EnglishLanguage().teaching.noService));
        QVERIFY(!w->Commands().Action(Command::SayScene)->isEnabled());
        // No other language can be spoken either, and the item says so in it.
        const form::Language& spanish = *form::FindLanguage("es");
        w->Controller().SetLanguage(spanish);
        QCOMPARE(w->Controller().Speech(), SpeechState::NoService);
        QCOMPARE(speak->text(), form::FromUtf8(spanish.teaching.noService));
        w->Controller().Close();
    }

    // Run by speech_test.sh against a real service with espeak-ng: English
    // has a voice, Chinese none (the command greys out), Spanish one again.
    void eachLanguageFindsItsOwnVoice() {
        if (qEnvironmentVariableIsEmpty("QUARVEL_SPEECH_SERVICE")) QSKIP("no speech service");
        const auto w = OpenWindow(form::EnglishLanguage());
        w->Controller().Run(Command::Speak);
        QTRY_COMPARE_WITH_TIMEOUT(w->Controller().Speech(), SpeechState::Ready, 15000);
        for (const auto& [code, state] :
             {std::pair{"zh", SpeechState::NoVoice}, std::pair{"es", SpeechState::Ready}}) {
            w->Controller().SetLanguage(*form::FindLanguage(code));
            QCOMPARE(w->Controller().Speech(), SpeechState::Unknown);
            QTRY_COMPARE_WITH_TIMEOUT(w->Controller().Speech(), state, 5000);
            QAction* speak = w->Commands().Action(Command::Speak);
            QCOMPARE(speak->isEnabled(), state == SpeechState::Ready);
            QVERIFY(speak->isChecked());
        }
        w->Controller().Close();
    }
};

QUARVEL_TEST_MAIN(SpeakerTest)
#include "SpeakerTest.moc"
