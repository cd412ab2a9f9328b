#pragma once

#include <QString>
#include <random>

// Texts a class might type or paste into a number box: good numbers in every
// form, near misses, garbage, non-ASCII and very long pastes.
class RandomText {
  public:
    explicit RandomText(std::mt19937& random) : random_(random) {}

    QString Next() {
        switch (Pick(10)) {
            case 0:
                return QString::number(Pick(5000) - 500);  // plain integers
            case 1:
                return Decimal(Pick(2) ? QChar('.') : QChar(','));  // either separator
            case 2:
                return Exponent();  // 1e10, -3.5E-7
            case 3:
                return Special();  // edge magnitudes
            case 4:
                return QString();  // empty
            case 5:
                return Garbage(1 + Pick(8));  // letters, signs
            case 6:
                return Long();  // pasted blocks
            case 7:
                return QStringLiteral("  %1  ").arg(Decimal(QChar('.')));  // blanks around
            default:
                return Fragment();
        }
    }

    // A few characters appended to what is there.
    QString Fragment() { return Garbage(1 + Pick(3)); }

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    QString Decimal(QChar separator) {
        QString s = QString::number(Pick(2000) - 1000);
        s += separator;
        s += QString::number(Pick(100000));
        return s;
    }

    QString Exponent() {
        return QStringLiteral("%1%2%3e%4")
            .arg(Pick(2) ? "-" : "")
            .arg(1 + Pick(9))
            .arg(Pick(2) ? ".5" : "")
            .arg(Pick(700) - 350);
    }

    QString Special() {
        static const char* const kTexts[] = {
            "0",     "-0",    "4436",   "4436.5", "4436.6", "4437",  "-0.3",   "29.9",
            "29.91", "30",    "-24.7",  "-24.71", "1e308",  "1e309", "1e-320", "1e-400",
            "32767", "32768", "-32769", "1.5",    "2",      "-1",    "0.375",  "1e10",
            "1e25",  "1e40",  "inf",    "nan",    "0x1A",   "1e",    "e5",     "--1",
            "+.5",   "5.",    ".",      "1,5e3",  "1.5.5",  "1e1e1", "+-3",    "\t7"};
        return QString::fromUtf8(kTexts[Pick(static_cast<int>(std::size(kTexts)))]);
    }

    QString Garbage(int length) {
        static const QString kAlphabet =
            QString::fromUtf8("0123456789.,eE+- abcxyz温度電子Ｅ３００½∞β　\u00a0\u200b😀%$#");
        QString s;
        for (int i = 0; i < length; ++i)
            s += kAlphabet.at(Pick(static_cast<int>(kAlphabet.size())));
        return s;
    }

    QString Long() {
        QString s;
        const int length = 100 + Pick(400);
        for (int i = 0; i < length; ++i) s += QChar('0' + Pick(10));
        if (Pick(2)) s.insert(Pick(static_cast<int>(s.size())), QChar('.'));
        return s;
    }

    std::mt19937& random_;
};
