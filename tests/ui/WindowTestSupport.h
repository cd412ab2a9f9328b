#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <memory>

#include "Application.h"
#include "Form1.h"

// A window as main.cpp makes it: created, loaded, then shown.
inline std::unique_ptr<form::Form1> OpenWindow(const form::Program& program,
                                               const form::Language& language) {
    auto window = std::make_unique<form::Form1>(program, &language);
    window->Load();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) return nullptr;
    return window;
}

// Of the program that opens in this language (Norvia in Japanese, else Quarvel).
inline std::unique_ptr<form::Form1> OpenWindow(const form::Language& language) {
    return OpenWindow(
        language.code == form::Norvia().languageCode ? form::Norvia() : form::Quarvel(), language);
}

// Answers every modal message box from inside its own event loop, the way a
// user would press OK, and keeps what it said.
class MessageBoxAnswerer : public QObject {
  public:
    MessageBoxAnswerer() {
        poll_.setInterval(10);
        connect(&poll_, &QTimer::timeout, this, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            titles << box->windowTitle();
            texts << box->text();
            directions << box->layoutDirection();
            oks << box->button(QMessageBox::Ok)->text();
            box->button(QMessageBox::Ok)->click();
        });
        poll_.start();
    }

    QStringList titles;
    QStringList texts;
    QList<Qt::LayoutDirection> directions;
    QStringList oks;  // the words the notices close with

  private:
    QTimer poll_;
};

#define QUARVEL_TEST_MAIN(TestClass)               \
    int main(int argc, char** argv) {              \
        QApplication app(argc, argv);              \
        form::PrepareApplication(form::Quarvel()); \
        TestClass test;                            \
        return QTest::qExec(&test, argc, argv);    \
    }
