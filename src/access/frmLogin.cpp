#include "frmLogin.h"

#include "DialogButtons.h"
#include "Dziennik.h"
#include "Globals.h"
#include "Operatorzy.h"
#include "PoleHasla.h"
#include "StringFun.h"
#include "fdm.h"
#include "komun.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TLoginFrm::TLoginFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("LoginFrm"));
    setWindowTitle(QStringLiteral("Autoryzacja"));
    UzytkownikEd = new QLineEdit(this);
    HasloEd = new TPoleHasla(this);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Użytkownik"), UzytkownikEd);
    form->addRow(QStringLiteral("&Hasło"), HasloEd);
    const DialogButtons buttons = layOutFormDialog(*this, form);
    OkBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    setMinimumWidth(320);
    connect(OkBtn, &QPushButton::clicked, this, &TLoginFrm::OkBtnClick);
}

bool TLoginFrm::Przygotuj() {
    FHasloOK = false;
    if (!dm_.OtworzOperator())
        return false; // the data module has told the user
    UzytkownikEd->clear();
    HasloEd->clear();
    UzytkownikEd->setFocus();
    return true;
}

void TLoginFrm::Autoryzacja() {
    if (Przygotuj())
        exec();
}

void TLoginFrm::OkBtnClick() {
    const QString uwaga =
        operatorzy::Logowanie(dm_.OperatorXE, UzytkownikEd->text(), HasloEd->text());
    if (!uwaga.isEmpty()) {
        Uwaga(uwaga);
        return;
    }
    const QString nazwa = TrimCtl(UzytkownikEd->text());
    Globals::App_Operator = nazwa;
    if (operatorzy::MusiZmienicHaslo(dm_.OperatorXE, nazwa)) {
        // A password that was printed and kept in a file must not stay the operator's.
        Info(QStringLiteral("Hasło użytkownika %1 wygenerowano przy zakładaniu bazy danych.\r"
                            "Przed rozpoczęciem pracy ustaw własne hasło.")
                 .arg(nazwa));
        const bool zmienione = zmianaHasla_ && zmianaHasla_(HasloEd->text()) &&
                               dm_.OtworzOperator() &&
                               !operatorzy::MusiZmienicHaslo(dm_.OperatorXE, nazwa);
        if (!zmienione) {
            dm_.OtworzOperator();
            HasloEd->clear();
            HasloEd->setFocus();
            Uwaga(QStringLiteral("Bez zmiany hasła nie można rozpocząć pracy."));
            return;
        }
    }
    // Every change the operator makes is logged under their name.
    dziennik::UstawOperatora(dm_.conn, nazwa);
    FHasloOK = true;
    accept();
}

void TLoginFrm::done(int r) {
    QDialog::done(r);
    operatorzy::ZakonczOdczyt(dm_);
}
