#include "frmKlient.h"

#include "DialogButtons.h"
#include "Kontrahenci.h"
#include "PoleKoduKraju.h"
#include "StringFun.h"
#include "TytulOkna.h"
#include "fdm.h"
#include "komun.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
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
    TerminEd = pole(4);
    TerminEd->setValidator(new QIntValidator(0, 3650, TerminEd));
    TerminEd->setMaximumWidth(80);
    TerminEd->setPlaceholderText(QStringLiteral("domyślny"));
    TerminEd->setToolTip(
        QStringLiteral("Dni od wystawienia faktury do terminu płatności; puste: "
                       "termin domyślny firmy (System → Ustawienia rozrachunków)"));

    auto* vat = new QGroupBox(QStringLiteral("Numer identyfikacyjny VAT"), this);
    auto* vatForm = new QFormLayout(vat);
    vatForm->addRow(QStringLiteral("Kod &kraju:"), KodKrajuEd);
    vatForm->addRow(QStringLiteral("N&umer:"), NipEd);

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
    form->addRow(QStringLiteral("&Nazwa:"), NazwaEd);
    form->addRow(QStringLiteral("A&dres:"), AdresEd);
    form->addRow(vat);
    form->addRow(QStringLiteral("&Telefon:"), TelefonEd);
    form->addRow(QStringLiteral("&E-mail:"), EmailEd);
    form->addRow(QStringLiteral("Ter&min płatności (dni):"), TerminEd);
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
    for (QLineEdit* e : {NazwaEd, AdresEd, NipEd, TelefonEd, EmailEd, TerminEd})
        e->clear();
    KodKrajuEd->setText(QStringLiteral("PL"));
    setWindowTitle(QStringLiteral("Kontrahent – nowy"));
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
    setWindowTitle(TytulOkna(QStringLiteral("Kontrahent"), NazwaEd->text()));
    const db::Value termin = k.field(QStringLiteral("TERMIN_PLATNOSCI"));
    TerminEd->setText(termin.isNull() ? QString() : QString::number(termin.toInt()));
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
    std::optional<int> termin;
    if (!TerminEd->text().trimmed().isEmpty()) {
        bool ok = false;
        termin = TerminEd->text().trimmed().toInt(&ok);
        if (!ok)
            termin = -1; // refused by the save with its message
    }
    kontrahenci::DaneKlienta dane{NazwaEd->text(), AdresEd->text(),   KodKrajuEd->text(),
                                  NipEd->text(),   TelefonEd->text(), EmailEd->text()};
    dane.terminPlatnosci = termin;
    dane.konsument = KonsumentRb->isChecked();
    dane.zozPubliczny = ZozCb->isChecked();
    const kontrahenci::Wynik w = kontrahenci::ZapiszKlienta(dm_, NowyWpis, KlientId, dane);
    if (!w.uwaga.isEmpty()) {
        Uwaga(w.uwaga);
        return;
    }
    accept();
}
