#include "PoleKwoty.h"

#include <QLocale>

TPoleKwoty::TPoleKwoty(QWidget* parent) : QLineEdit(parent) {
    setAlignment(Qt::AlignRight);
    setPlaceholderText(QStringLiteral("0,00"));
    connect(this, &QLineEdit::editingFinished, this, &TPoleKwoty::pokazOdczyt);
    connect(this, &QLineEdit::textEdited, this, [this] {
        // Typing again clears the mark of the text before.
        setStyleSheet(QString());
        setToolTip(QString());
    });
}

void TPoleKwoty::ustawKwote(Money kwota) {
    setText(kwota.format(QLocale()));
    setStyleSheet(QString());
    setToolTip(QString());
}

void TPoleKwoty::pokazOdczyt() {
    const OdczytKwoty o = odczyt();
    if (o.ok()) {
        // What was read, shown as the program writes amounts: "1.234,56" becomes "1 234,56".
        if (!o.pusta)
            setText(o.kwota->format(QLocale()));
        setStyleSheet(QString());
        setToolTip(QString());
        return;
    }
    setStyleSheet(QStringLiteral("QLineEdit { border: 2px solid #c0392b; }"));
    setToolTip(o.blad);
}
