#include "frmOperacja.h"

#include "DialogButtons.h"
#include "Operacje.h"
#include "fdm.h"
#include "komun.h"

#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

TOperacjaFrm::TOperacjaFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("OperacjaFrm"));
    setWindowTitle(QStringLiteral("Opis transakcji"));
    OpisEd = new QLineEdit(this);
    OpisEd->setMaxLength(operacje::MaxDlugoscOpisu);
    OpisEd->setMinimumWidth(420);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Opis transakcji:"), OpisEd);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Zapisz"));
    ZapiszBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    connect(ZapiszBtn, &QPushButton::clicked, this, &TOperacjaFrm::ZapiszBtnClick);
}

void TOperacjaFrm::PrzygotujWstaw() {
    NowyWpis = true;
    AktWpisId = 0;
    OpisEd->clear();
    OpisEd->setFocus();
}

bool TOperacjaFrm::PrzygotujPopraw() {
    const Dataset& op = dm_.Operacja;
    if (!op.current())
        return false;
    NowyWpis = false;
    AktWpisId = op.field(QStringLiteral("WPISID")).toInt();
    OpisEd->setText(op.field(QStringLiteral("OPIS")).toString());
    OpisEd->setFocus();
    return true;
}

void TOperacjaFrm::Wstaw() {
    PrzygotujWstaw();
    exec();
}

void TOperacjaFrm::Popraw() {
    if (PrzygotujPopraw())
        exec();
}

void TOperacjaFrm::ZapiszBtnClick() {
    const QString uwaga = operacje::ZapiszOpis(dm_, NowyWpis, AktWpisId, OpisEd->text());
    if (!uwaga.isEmpty()) {
        Uwaga(uwaga);
        return;
    }
    accept();
}
