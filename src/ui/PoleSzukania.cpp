#include "PoleSzukania.h"

#include <QLabel>
#include <QLineEdit>

TPoleSzukania::TPoleSzukania(Dataset& klient, db::Attachment& conn, QWidget* parent)
    : QObject(parent), wyszukiwarka_(klient, conn) {
    SzukajEd = new QLineEdit(parent);
    SzukajEd->setClearButtonEnabled(true);
    NotkaLbl = new QLabel(parent);
    NotkaLbl->setTextFormat(Qt::PlainText);
    connect(SzukajEd, &QLineEdit::textChanged, this, &TPoleSzukania::szukaj);
}

void TPoleSzukania::szukaj(const QString& tekst) {
    ostatni_ = wyszukiwarka_.Szukaj(tekst);
    NotkaLbl->setText(OpisWynikuSzukania(ostatni_, tekst));
    NotkaLbl->setStyleSheet(ostatni_ == WynikSzukania::Brak
                                ? QStringLiteral("QLabel { color: #b00020; font-weight: bold; }")
                                : QString());
}
