#include "frmLogin.h"

#include "DialogButtons.h"
#include "Globals.h"
#include "Operatorzy.h"
#include "OstatniFolder.h"
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
    form->addRow(QStringLiteral("&Użytkownik:"), UzytkownikEd);
    form->addRow(QStringLiteral("&Hasło:"), HasloEd);
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
    // The name that logged in last time is offered; the password is asked for.
    UzytkownikEd->setText(Zapamietane::wartosc(OstatniUzytkownik).toString());
    HasloEd->clear();
    if (UzytkownikEd->text().isEmpty())
        UzytkownikEd->setFocus();
    else
        HasloEd->setFocus();
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
    FHasloOK = true;
    Globals::App_Operator = TrimCtl(UzytkownikEd->text());
    Zapamietane::ustaw(OstatniUzytkownik, Globals::App_Operator);
    accept();
}

void TLoginFrm::done(int r) {
    QDialog::done(r);
    operatorzy::ZakonczOdczyt(dm_);
}
