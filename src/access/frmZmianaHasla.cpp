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
    ObecneEd = new TPoleHasla(this);
    HasloEd = new TPoleHasla(this);
    HasloEd->setMaxLength(operatorzy::MaxDlugoscPowtorzenia);
    PowtorzEd = new TPoleHasla(this);
    PowtorzEd->setMaxLength(operatorzy::MaxDlugoscPowtorzenia);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Obecne hasło"), ObecneEd);
    obecneEtykieta_ = form->labelForField(ObecneEd);
    form->addRow(QStringLiteral("Nowe &hasło"), HasloEd);
    form->addRow(QStringLiteral("Nowe hasło &powtórnie"), PowtorzEd);
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
    ObecneEd->clear();
    HasloEd->clear();
    PowtorzEd->clear();
    ObecneEd->setVisible(true);
    obecneEtykieta_->setVisible(true);
    ObecneEd->setFocus();
    return true;
}

bool TZmianaHaslaFrm::PrzygotujWymuszona(const QString& obecne) {
    if (!Przygotuj())
        return false;
    ObecneEd->setText(obecne);
    ObecneEd->setVisible(false);
    obecneEtykieta_->setVisible(false);
    HasloEd->setFocus();
    return true;
}

void TZmianaHaslaFrm::Execute() {
    if (Przygotuj())
        exec();
}

int TZmianaHaslaFrm::ExecuteWymuszona(const QString& obecne) {
    if (!PrzygotujWymuszona(obecne))
        return QDialog::Rejected;
    return exec();
}

void TZmianaHaslaFrm::ZmienBtnClick() {
    const operatorzy::Wynik w = operatorzy::ZmienHaslo(dm_, Globals::App_Operator, ObecneEd->text(),
                                                       HasloEd->text(), PowtorzEd->text());
    if (!w.uwaga.isEmpty())
        Uwaga(w.uwaga);
    if (!w.info.isEmpty())
        Info(w.info);
    if (w.zamknij)
        accept();
}

void TZmianaHaslaFrm::done(int r) {
    QDialog::done(r);
    operatorzy::ZakonczOdczyt(dm_);
}
