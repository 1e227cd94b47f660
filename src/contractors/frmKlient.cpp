#include "frmKlient.h"

#include "DialogButtons.h"
#include "Kontrahenci.h"
#include "PoleKoduKraju.h"
#include "StringFun.h"
#include "fdm.h"
#include "komun.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TKlientFrm::TKlientFrm(Tdm& dm, TWybierzKodKRFrm& picker, QWidget* parent)
    : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("KlientFrm"));
    setWindowTitle(QStringLiteral("Kontrahent"));
    auto pole = [this](int max) {
        auto* e = new QLineEdit(this);
        e->setMaxLength(max);
        return e;
    };
    NazwaEd = pole(Nazwa_MAX_LEN);
    AdresEd = pole(Adres_MAX_LEN);
    KodKrajuEd = new TPoleKoduKraju(picker, this);
    NipEd = pole(NIP_MAX_LEN);
    TelefonEd = pole(Telefon_MAX_LEN);
    EmailEd = pole(Email_MAX_LEN);

    auto* vat = new QGroupBox(QStringLiteral("Numer identyfikacyjny VAT"), this);
    auto* vatForm = new QFormLayout(vat);
    vatForm->addRow(QStringLiteral("Kod kraju"), KodKrajuEd);
    vatForm->addRow(QStringLiteral("N&umer"), NipEd);

    auto* dluznik = new QGroupBox(QStringLiteral("Odsetki za opóźnienie"), this);
    PrzedsiebiorcaRb = new QRadioButton(
        QStringLiteral("&Przedsiębiorca (odsetki w transakcjach handlowych)"), dluznik);
    KonsumentRb = new QRadioButton(QStringLiteral("K&onsument (odsetki ustawowe)"), dluznik);
    ZozCb = new QCheckBox(QStringLiteral("Publiczny podmiot &leczniczy (niższa stawka odsetek)"),
                          dluznik);
    auto* dluznikLayout = new QVBoxLayout(dluznik);
    dluznikLayout->addWidget(PrzedsiebiorcaRb);
    auto* zozLayout = new QHBoxLayout; // the mark belongs to the business above it
    zozLayout->addSpacing(22);
    zozLayout->addWidget(ZozCb);
    dluznikLayout->addLayout(zozLayout);
    dluznikLayout->addWidget(KonsumentRb);
    // A consumer is no healthcare provider: the mark only applies to a business.
    connect(KonsumentRb, &QRadioButton::toggled, ZozCb, [this](bool konsument) {
        ZozCb->setEnabled(!konsument);
        if (konsument)
            ZozCb->setChecked(false);
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Nazwa"), NazwaEd);
    form->addRow(QStringLiteral("&Adres"), AdresEd);
    form->addRow(vat);
    form->addRow(QStringLiteral("&Telefon"), TelefonEd);
    form->addRow(QStringLiteral("E-mail"), EmailEd);
    form->addRow(dluznik);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Zapisz"));
    ZapiszBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    setMinimumWidth(520);
    connect(ZapiszBtn, &QPushButton::clicked, this, &TKlientFrm::ZapiszBtnClick);
}

void TKlientFrm::PrzygotujWstaw() {
    NowyWpis = true;
    KlientId = 0;
    for (QLineEdit* e : {NazwaEd, AdresEd, NipEd, TelefonEd, EmailEd})
        e->clear();
    KodKrajuEd->setText(QStringLiteral("PL"));
    PrzedsiebiorcaRb->setChecked(true);
    ZozCb->setChecked(false);
    NazwaEd->setFocus();
}

bool TKlientFrm::PrzygotujPopraw() {
    const Dataset& k = dm_.Klient;
    if (!k.current())
        return false;
    NowyWpis = false;
    KlientId = k.field(QStringLiteral("KLIENTID")).toInt();
    NazwaEd->setText(k.field(QStringLiteral("NAZWA")).toString());
    AdresEd->setText(k.field(QStringLiteral("ADRES")).toString());
    KodKrajuEd->setText(k.field(QStringLiteral("KR_NIP")).toString());
    NipEd->setText(k.field(QStringLiteral("NR_NIP")).toString());
    TelefonEd->setText(k.field(QStringLiteral("TELEFON1")).toString());
    EmailEd->setText(k.field(QStringLiteral("EMAIL1")).toString());
    const bool konsument = k.field(QStringLiteral("KONSUMENT")).toString() == QStringLiteral("T");
    (konsument ? KonsumentRb : PrzedsiebiorcaRb)->setChecked(true);
    ZozCb->setChecked(k.field(QStringLiteral("ZOZ_PUBLICZNY")).toString() == QStringLiteral("T"));
    NazwaEd->setFocus();
    return true;
}

int TKlientFrm::Wstaw() {
    PrzygotujWstaw();
    return exec();
}

int TKlientFrm::Popraw() {
    if (!PrzygotujPopraw())
        return Rejected;
    return exec();
}

void TKlientFrm::ZapiszBtnClick() {
    kontrahenci::DaneKlienta dane{NazwaEd->text(), AdresEd->text(),   KodKrajuEd->text(),
                                  NipEd->text(),   TelefonEd->text(), EmailEd->text()};
    dane.konsument = KonsumentRb->isChecked();
    dane.zozPubliczny = ZozCb->isChecked();
    const kontrahenci::Wynik w = kontrahenci::ZapiszKlienta(dm_, NowyWpis, KlientId, dane);
    if (!w.uwaga.isEmpty()) {
        Uwaga(w.uwaga);
        return;
    }
    accept();
}
