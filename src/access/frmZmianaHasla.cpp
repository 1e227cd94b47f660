#include "frmZmianaHasla.h"

#include "DialogButtons.h"
#include "Globals.h"
#include "Operatorzy.h"
#include "PoleHasla.h"
#include "fdm.h"
#include "komun.h"

#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

TZmianaHaslaFrm::TZmianaHaslaFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("ZmianaHaslaFrm"));
    setWindowTitle(QStringLiteral("Zmiana hasła"));
    HasloEd = new TPoleHasla(this);
    HasloEd->setMaxLength(operatorzy::MaxDlugoscPowtorzenia);
    PowtorzEd = new TPoleHasla(this);
    PowtorzEd->setMaxLength(operatorzy::MaxDlugoscPowtorzenia);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Nowe &hasło:"), HasloEd);
    form->addRow(QStringLiteral("Nowe hasło &powtórnie:"), PowtorzEd);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Zmień hasło"));
    ZmienBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    setMinimumWidth(360);
    connect(ZmienBtn, &QPushButton::clicked, this, &TZmianaHaslaFrm::ZmienBtnClick);
}

bool TZmianaHaslaFrm::Przygotuj() {
    if (!dm_.OtworzOperator())
        return false;
    setWindowTitle(Globals::App_Operator + QStringLiteral(" - zmiana hasła"));
    HasloEd->clear();
    PowtorzEd->clear();
    HasloEd->setFocus();
    return true;
}

void TZmianaHaslaFrm::Execute() {
    if (Przygotuj())
        exec();
}

void TZmianaHaslaFrm::ZmienBtnClick() {
    const operatorzy::Wynik w =
        operatorzy::ZmienHaslo(dm_, Globals::App_Operator, HasloEd->text(), PowtorzEd->text());
    if (!w.uwaga.isEmpty())
        Uwaga(w.uwaga);
    if (w.zamknij)
        accept();
}

void TZmianaHaslaFrm::done(int r) {
    QDialog::done(r);
    operatorzy::ZakonczOdczyt(dm_);
}
