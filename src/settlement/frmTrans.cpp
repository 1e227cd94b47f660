#include "frmTrans.h"

#include "DialogButtons.h"
#include "Operacje.h"
#include "PoleKwoty.h"
#include "fdm.h"
#include "komun.h"

#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

TTransFrm::TTransFrm(Tdm& dm, QWidget* parent) : QDialog(parent), dm_(dm) {
    setObjectName(QStringLiteral("TransFrm"));
    setWindowTitle(QStringLiteral("Transakcja"));

    // Whose ledger the row goes to, in bold above everything else.
    KontrahentLbl = new QLabel(this);
    QFont pogrubiona = KontrahentLbl->font();
    pogrubiona.setBold(true);
    KontrahentLbl->setFont(pogrubiona);
    KontrahentLbl->setTextInteractionFlags(Qt::TextSelectableByMouse);

    RodzajGrp = new QGroupBox(QStringLiteral("Rodzaj"), this);
    ZaplataRb = new QRadioButton(QStringLiteral("Zapłata"), RodzajGrp);
    NaleznoscRb = new QRadioButton(QStringLiteral("Należność"), RodzajGrp);
    auto* rodzaj = new QHBoxLayout(RodzajGrp);
    rodzaj->addWidget(ZaplataRb);
    rodzaj->addWidget(NaleznoscRb);
    rodzaj->addStretch();

    DataEd = new QLineEdit(this);
    // Typed over a mask; an empty box reads as no date.
    DataEd->setInputMask(QStringLiteral("99-99-9999;_"));
    DataEd->setPlaceholderText(QStringLiteral("DD-MM-RRRR"));
    DataEd->setMaximumWidth(110);
    KwotaEd = new TPoleKwoty(this);
    KwotaEd->setMaximumWidth(160);
    OpisEd = new QComboBox(this);
    OpisEd->setEditable(true);
    OpisEd->setInsertPolicy(QComboBox::NoInsert);
    OpisEd->setMinimumWidth(420);
    // The ledger's column holds 140 characters: a longer text cannot be typed.
    OpisEd->lineEdit()->setMaxLength(MaxDlugoscOpisuTrans);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Kontrahent:"), KontrahentLbl);
    form->addRow(RodzajGrp);
    form->addRow(QStringLiteral("&Data"), DataEd);
    form->addRow(QStringLiteral("&Kwota"), KwotaEd);
    form->addRow(QStringLiteral("&Opis"), OpisEd);
    const DialogButtons buttons = layOutFormDialog(*this, form, QStringLiteral("&Zapisz"));
    PostBtn = buttons.ok;
    AnulujBtn = buttons.anuluj;
    connect(PostBtn, &QPushButton::clicked, this, &TTransFrm::PostBtnClick);
}

void TTransFrm::LoadEdOpis() {
    QStringList opisy;
    if (!operacje::WczytajOpisy(dm_, opisy))
        return;
    const QString tekst = OpisEd->currentText();
    OpisEd->clear();
    OpisEd->addItems(opisy);
    OpisEd->setEditText(tekst);
}

void TTransFrm::wlaczPola(bool tak) {
    RodzajGrp->setEnabled(tak);
    DataEd->setEnabled(tak);
    KwotaEd->setEnabled(tak);
}

void TTransFrm::pokaz(bool naleznosc, const Date& data, Money kwota, const QString& opis) {
    (naleznosc ? NaleznoscRb : ZaplataRb)->setChecked(true);
    DataEd->setText(data.isZero() ? QString()
                                  : data.qdate().toString(QStringLiteral("dd-MM-yyyy")));
    KwotaEd->ustawKwote(kwota);
    OpisEd->setEditText(opis);
}

void TTransFrm::pokazKontrahenta(int klientId) {
    const QString nazwa = dm_.NazwaKlienta(klientId);
    KontrahentLbl->setText(nazwa);
    setWindowTitle(nazwa.isEmpty() ? QStringLiteral("Transakcja")
                                   : QStringLiteral("Transakcja – ") + nazwa);
}

void TTransFrm::PrzygotujInsert(int klientId) {
    NowyWpis = true;
    LoadEdOpis();
    RodzTrans = TRodzTrans::rtWpisUzyt;
    KlientId = klientId;
    pokazKontrahenta(klientId);
    wpisId_ = 0;
    wlaczPola(true);
    pokaz(false, Date(QDate::currentDate()), Money(), QString());
    KwotaEd->setFocus();
    KwotaEd->selectAll();
}

bool TTransFrm::PrzygotujEdit() {
    const db::Row* r = dm_.TransKL.current();
    if (!r)
        return false;
    NowyWpis = false;
    LoadEdOpis();
    const PolaTransakcji p = PolaZWiersza(*r);
    RodzTrans = p.rodzaj;
    KlientId = (*r)["KLIENTID"].toInt();
    pokazKontrahenta(KlientId);
    wpisId_ = (*r)["WPISID"].toInt();
    wlaczPola(p.edytowalne);
    pokaz(p.naleznosc, p.data, p.kwota, p.opis);
    OpisEd->setFocus();
    return true;
}

void TTransFrm::Insert(int klientId) {
    PrzygotujInsert(klientId);
    exec();
}

void TTransFrm::Edit() {
    if (PrzygotujEdit())
        exec();
}

DaneTransakcji TTransFrm::Dane() const {
    DaneTransakcji d;
    d.nowyWpis = NowyWpis;
    d.rodzaj = RodzTrans;
    d.klientId = KlientId;
    d.wpisId = wpisId_;
    d.naleznosc = NaleznoscRb->isChecked();
    d.data = DataZTekstu(DataEd->text());
    const OdczytKwoty kwota = KwotaEd->odczyt();
    d.kwota = kwota.kwota.value_or(Money());
    d.bladKwoty = kwota.blad;
    d.opis = OpisEd->currentText();
    return d;
}

void TTransFrm::PostBtnClick() {
    const QString uwaga = ZapiszTransakcje(dm_, Dane());
    if (!uwaga.isEmpty()) {
        Uwaga(uwaga);
        return;
    }
    accept();
}
