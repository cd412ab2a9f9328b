#include "LanguageMenu.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>

#include "Fonts.h"
#include "Localize.h"
#include "Twips.h"

namespace form {

LanguageMenu::LanguageMenu(controller::Controller& controller, QWidget& window)
    : QObject(&window), controller_(controller), menu_(new QMenu(&window)) {
    menu_->setObjectName(QStringLiteral("LanguageMenu"));
    auto* group = new QActionGroup(menu_);
    for (const Language* language : Languages()) {
        QAction* choice = menu_->addAction(FromUtf8(language->name));
        choice->setCheckable(true);
        // Each name in its own script's face, whatever the menu's language.
        choice->setFont(InLanguage(QApplication::font(menu_), *language));
        group->addAction(choice);
        connect(choice, &QAction::triggered, this,
                [this, language] { controller_.SetLanguage(*language); });
        choices_.emplace_back(language, choice);
    }
    LanguageChanged();
}

void LanguageMenu::LanguageChanged() {
    const Language& shown = controller_.Description().language();
    menu_->setTitle(FromUtf8(shown.teaching.language));
    Localize(*menu_, shown);
    for (const auto& [language, choice] : choices_) {
        choice->setChecked(language == &shown);
    }
}

}  // namespace form
