#include "frmDaneFirmy.h"

#include "Banki.h"
#include "DialogButtons.h"
#include "StringFun.h"
#include "komun.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TDaneFirmyFrm::TDaneFirmyFrm(db::Attachment& att, QWidget* parent) : QDialog(parent), att_(att) {
    setObjectName(QStringLiteral("DaneFirmyFrm"));
    setWindowTitle(QStringLiteral("Dane firmy"));
    auto pole = [this](int max) {
        auto* e = new QLineEdit(this);
        e->setMaxLength(max);
        return e;
    };
    NazwaEd = pole(firma::NazwaMax);
    AdresEd = pole(firma::AdresMax);
    KodMiejscowoscEd = pole(firma::AdresMax);
    NipEd = pole(16);
    KontoEd = pole(40);
    KontoEd->setMinimumWidth(KontoEd->fontMetrics().horizontalAdvance(
                                 QStringLiteral("PL00 0000 0000 0000 0000 0000 0000")) +
                             20);
    BankLbl = new QLabel(this);
    MiejsceEd = pole(firma::MiejsceMax);
    PodpisEd = pole(firma::PodpisMax);
    PodpisEd->setPlaceholderText(QStringLiteral("np. Anna Nowak – główna księgowa"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Nazwa"), NazwaEd);
    form->addRow(QStringLiteral("&Ulica i numer"), AdresEd);
    form->addRow(QStringLiteral("&Kod pocztowy i miejscowość"), KodMiejscowoscEd);
    form->addRow(QStringLiteral("N&IP"), NipEd);
    form->addRow(QStringLiteral("&Rachunek bankowy"), KontoEd);
    form->addRow(QString(), BankLbl);
    form->addRow(QStringLiteral("&Miejsce wystawiania dokumentów"), MiejsceEd);
    form->addRow(QStringLiteral("&Podpis pod dokumentami"), PodpisEd);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Zapisz"));
    ZapiszBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    setMinimumWidth(620);
    connect(ZapiszBtn, &QPushButton::clicked, this, &TDaneFirmyFrm::ZapiszBtnClick);
    connect(KontoEd, &QLineEdit::textChanged, this, &TDaneFirmyFrm::pokazBank);
}

void TDaneFirmyFrm::Przygotuj() {
    const firma::DaneFirmy d = firma::czytajDaneFirmy(att_);
    wersja_ = d.wersja;
    NazwaEd->setText(d.nazwa);
    AdresEd->setText(d.adres);
    KodMiejscowoscEd->setText(d.kodMiejscowosc);
    NipEd->setText(d.nip);
    KontoEd->setText(firma::kontoDoDruku(d.konto));
    MiejsceEd->setText(d.miejsceWystawienia);
    PodpisEd->setText(d.podpis);
    pokazBank();
    NazwaEd->setFocus();
}

int TDaneFirmyFrm::Execute() {
    Przygotuj();
    return exec();
}

void TDaneFirmyFrm::pokazBank() {
    // The bank, named from the number as typed, confirms the number at a glance.
    BankLbl->setText(NazwaBanku(TylkoCyfry(KontoEd->text())).section(u'\t', 0, 0).trimmed());
}

void TDaneFirmyFrm::ZapiszBtnClick() {
    firma::DaneFirmy d;
    d.nazwa = NazwaEd->text();
    d.adres = AdresEd->text();
    d.kodMiejscowosc = KodMiejscowoscEd->text();
    d.nip = NipEd->text();
    d.konto = KontoEd->text();
    d.miejsceWystawienia = MiejsceEd->text();
    d.podpis = PodpisEd->text();
    d.wersja = wersja_;
    const firma::WynikZapisu w = firma::zapiszDaneFirmy(att_, d);
    if (!w.uwaga.isEmpty()) {
        Uwaga(w.uwaga);
        return;
    }
    wersja_ = w.zapisane.wersja;
    accept();
}
