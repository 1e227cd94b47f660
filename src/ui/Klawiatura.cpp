#include "Klawiatura.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>

namespace {

class Klawisze : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* obiekt, QEvent* zdarzenie) override {
        if (zdarzenie->type() == QEvent::Show) {
            if (auto* okno = qobject_cast<QDialog*>(obiekt))
                bezDomyslnegoZPrzypadku(okno);
            return false;
        }
        if (zdarzenie->type() != QEvent::KeyPress)
            return false;
        const auto* k = static_cast<QKeyEvent*>(zdarzenie);
        if ((k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) ||
            (k->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* przycisk = qobject_cast<QAbstractButton*>(obiekt);
        if (!przycisk ||
            (!qobject_cast<QPushButton*>(przycisk) && !qobject_cast<QToolButton*>(przycisk)))
            return false;
        if (przycisk->isEnabled() && przycisk->isVisible())
            przycisk->click();
        return true;
    }

private:
    // Before the dialog looks for a default of its own (right after this event), its buttons
    // stop offering themselves; the one the window chose stays the default.
    static void bezDomyslnegoZPrzypadku(QDialog* okno) {
        for (QPushButton* b : okno->findChildren<QPushButton*>())
            if (b->window() == okno && !b->isDefault())
                b->setAutoDefault(false);
    }
};

} // namespace

void Klawiatura::zainstaluj() {
    static QPointer<Klawisze> klawisze;
    if (qApp && !klawisze) {
        klawisze = new Klawisze(qApp);
        qApp->installEventFilter(klawisze);
    }
}
