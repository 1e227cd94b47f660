#include "frmKonto.h"

#include "DialogButtons.h"
#include "Kontrahenci.h"
#include "PoleKoduKraju.h"
#include "TytulOkna.h"
#include "fdm.h"
#include "komun.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int NumerMaxLen = 50; // typed with blanks; stored without them
}

TKontoFrm::TKontoFrm(Tdm& dm, TWybierzKodKRFrm& picker, QWidget* parent)
    : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("KontoFrm"));
    setWindowTitle(QStringLiteral("Numer rachunku bankowego"));
    KodKrajuEd = new TPoleKoduKraju(picker, this);
    NumerEd = new QLineEdit(this);
    NumerEd->setMaxLength(NumerMaxLen);
    NumerEd->setMinimumWidth(NumerEd->fontMetrics().horizontalAdvance(
                                 QStringLiteral("00 0000 0000 0000 0000 0000 0000")) +
                             20);
    PomijajCb = new QCheckBox(QStringLiteral("&Pomijaj wpłaty z tego numeru bankowego"), this);

    auto* iban = new QGroupBox(QStringLiteral("IBAN"), this);
    auto* ibanForm = new QFormLayout(iban);
    ibanForm->addRow(QStringLiteral("&Kod kraju:"), KodKrajuEd);
    ibanForm->addRow(QStringLiteral("&Numer rachunku:"), NumerEd);
    auto* fields = new QVBoxLayout;
    fields->addWidget(iban);
    fields->addWidget(PomijajCb);
    const DialogButtons buttons = layOutFormDialog(*this, fields, QStringLiteral("&Zapisz"));
    ZapiszBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    connect(ZapiszBtn, &QPushButton::clicked, this, &TKontoFrm::ZapiszBtnClick);
}

void TKontoFrm::PrzygotujWstaw(int klientId) {
    NowyWpis = true;
    FKlientId = klientId;
    WpisId = 0;
    KodKrajuEd->setText(QStringLiteral("PL"));
    NumerEd->clear();
    PomijajCb->setChecked(false);
    setWindowTitle(
        TytulOkna(QStringLiteral("Numer rachunku bankowego"), dm_.NazwaKlienta(klientId)));
    NumerEd->setFocus();
}

bool TKontoFrm::PrzygotujPopraw() {
    const Dataset& k = dm_.KontoKL;
    if (!k.current())
        return false;
    NowyWpis = false;
    WpisId = k.field(QStringLiteral("WPISID")).toInt();
    FKlientId = k.field(QStringLiteral("KLIENTID")).toInt();
    KodKrajuEd->setText(k.field(QStringLiteral("KR_KONTO")).toString());
    NumerEd->setText(k.field(QStringLiteral("NR_KONTO")).toString());
    PomijajCb->setChecked(k.field(QStringLiteral("POMIJAJ")).toString() == QStringLiteral("T"));
    setWindowTitle(
        TytulOkna(QStringLiteral("Numer rachunku bankowego"), dm_.NazwaKlienta(FKlientId)));
    NumerEd->setFocus();
    return true;
}

int TKontoFrm::Wstaw(int klientId) {
    PrzygotujWstaw(klientId);
    return exec();
}

int TKontoFrm::Popraw() {
    if (!PrzygotujPopraw())
        return Rejected;
    return exec();
}

void TKontoFrm::ZapiszBtnClick() {
    const kontrahenci::Wynik w =
        kontrahenci::ZapiszKonto(dm_, NowyWpis, FKlientId, WpisId,
                                 {KodKrajuEd->text(), NumerEd->text(), PomijajCb->isChecked()});
    if (!w.uwaga.isEmpty()) {
        Uwaga(w.uwaga);
        return;
    }
    accept();
}
