#include "frmOperator.h"

#include "DialogButtons.h"
#include "Operatorzy.h"
#include "PoleHasla.h"
#include "fdm.h"
#include "komun.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TOperatorFrm::TOperatorFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("OperatorFrm"));
    setWindowTitle(QStringLiteral("Użytkownik"));
    UzytkownikEd = new QLineEdit(this);
    // A longer name would not fit the column; the box takes no more than it holds.
    UzytkownikEd->setMaxLength(operatorzy::MaxDlugoscNazwy);
    HasloEd = new TPoleHasla(this);
    PowtorzEd = new TPoleHasla(this);
    PowtorzEd->setMaxLength(operatorzy::MaxDlugoscPowtorzenia);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Użytkownik:"), UzytkownikEd);
    form->addRow(QStringLiteral("&Hasło:"), HasloEd);
    form->addRow(QStringLiteral("Hasło &powtórnie:"), PowtorzEd);
    const DialogButtons buttons = layOutFormDialog(*this, form);
    OkBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    setMinimumWidth(340);
    connect(OkBtn, &QPushButton::clicked, this, &TOperatorFrm::OkBtnClick);
}

void TOperatorFrm::wyczyscHasla() {
    HasloEd->clear();
    PowtorzEd->clear();
}

void TOperatorFrm::PrzygotujWstaw() {
    NowyWpis = true;
    AktOperId = 0;
    UzytkownikEd->clear();
    wyczyscHasla();
    UzytkownikEd->setFocus();
}

bool TOperatorFrm::PrzygotujPopraw() {
    const Dataset& op = dm_.OperatorXE;
    if (!op.current())
        return false;
    NowyWpis = false;
    AktOperId = op.field(QStringLiteral("OPERID")).toInt();
    UzytkownikEd->setText(op.field(QStringLiteral("NAZWA")).toString());
    wyczyscHasla();
    UzytkownikEd->setFocus();
    return true;
}

void TOperatorFrm::Wstaw() {
    PrzygotujWstaw();
    exec();
}

void TOperatorFrm::Popraw() {
    if (PrzygotujPopraw())
        exec();
}

void TOperatorFrm::OkBtnClick() {
    const operatorzy::Wynik w = operatorzy::ZapiszOperatora(
        dm_, NowyWpis, AktOperId, UzytkownikEd->text(), HasloEd->text(), PowtorzEd->text());
    if (!w.uwaga.isEmpty())
        Uwaga(w.uwaga);
    if (w.zamknij)
        accept();
}
