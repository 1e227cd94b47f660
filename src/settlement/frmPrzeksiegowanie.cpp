#include "frmPrzeksiegowanie.h"

#include "BlokadaKsiegowania.h"
#include "DataGrid.h"
#include "Error.h"
#include "PanelWyboru.h"
#include "Przeksiegowanie.h"
#include "Rozliczenia.h"
#include "fdm.h"
#include "komun.h"

#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

TPrzeksiegowanieFrm::TPrzeksiegowanieFrm(Tdm& dm, QWidget* parent)
    // Nothing is chosen for the user: the payment goes where the user points.
    : QDialog(parent), dm_(dm), lista_(dm.conn, SqlKandydaciPrzeksiegowania(), true) {
    setObjectName(QStringLiteral("PrzeksiegowanieFrm"));
    setWindowTitle(QStringLiteral("Przeksięgowanie"));

    DatasetColumn nazwa;
    nazwa.field = QStringLiteral("NAZWA");
    nazwa.title = QStringLiteral("Kontrahent");
    lista_.lista().setColumns({nazwa});

    auto bold = [](QLabel* l) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return l;
    };
    ZKontaLbl = bold(new QLabel(this));
    KontrahentLbl = bold(new QLabel(this));
    OpisLbl = bold(new QLabel(this));
    OpisLbl->setWordWrap(true);
    DataLbl = bold(new QLabel(this));
    KwotaLbl = bold(new QLabel(this));
    KwotaLbl->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* naglowek = new QGridLayout;
    naglowek->addWidget(new QLabel(QStringLiteral("Wpłata na koncie:"), this), 0, 0);
    naglowek->addWidget(ZKontaLbl, 0, 1, 1, 3);
    naglowek->addWidget(new QLabel(QStringLiteral("Kontrahent:"), this), 1, 0);
    naglowek->addWidget(KontrahentLbl, 1, 1, 1, 3);
    naglowek->addWidget(new QLabel(QStringLiteral("Opis:"), this), 2, 0, Qt::AlignTop);
    naglowek->addWidget(OpisLbl, 2, 1, 1, 3);
    naglowek->addWidget(new QLabel(QStringLiteral("Data"), this), 3, 1);
    naglowek->addWidget(new QLabel(QStringLiteral("Kwota"), this), 3, 2, Qt::AlignRight);
    naglowek->addWidget(DataLbl, 4, 1);
    naglowek->addWidget(KwotaLbl, 4, 2);
    naglowek->setColumnStretch(3, 1);

    panel_ = new TPanelWyboru(lista_, this);
    Grid = panel_->Grid;
    FiltrEd = panel_->FiltrEd;
    auto* grupa = new QGroupBox(QStringLiteral("Dane przeksięgować na konto kontrahenta: "), this);
    auto* filtrLbl = new QLabel(QStringLiteral("Filtruj: &Nazwa kontrahenta zawiera tekst"), this);
    filtrLbl->setBuddy(FiltrEd);
    auto* lista = new QVBoxLayout(grupa);
    lista->addWidget(Grid, 1);
    lista->addWidget(filtrLbl);
    lista->addWidget(FiltrEd);

    PrzeksiegujBtn = new QPushButton(QStringLiteral("&Przeksięguj"), this);
    PrzeksiegujBtn->setDefault(true);
    AnulujBtn = new QPushButton(QStringLiteral("&Anuluj"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(PrzeksiegujBtn);
    buttons->addWidget(AnulujBtn);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(naglowek);
    layout->addWidget(grupa, 1);
    layout->addLayout(buttons);
    resize(560, 520);

    connect(panel_, &TPanelWyboru::moznaWybrac, PrzeksiegujBtn, &QPushButton::setEnabled);
    connect(PrzeksiegujBtn, &QPushButton::clicked, this, &TPrzeksiegowanieFrm::PrzeksiegujBtnClick);
    connect(AnulujBtn, &QPushButton::clicked, this, &QDialog::reject);
    // A double click or Enter on a contractor asks as the button does.
    connect(Grid, &DataGrid::activated, this, [this] {
        if (PrzeksiegujBtn->isEnabled())
            PrzeksiegujBtnClick();
    });
}

bool TPrzeksiegowanieFrm::OtworzKlienci() {
    try {
        lista_.otworz();
        return true;
    } catch (const db::Error&) {
        Info(QStringLiteral("Nie udało się otworzyć bazy Kontrahenci."));
        return false;
    }
}

bool TPrzeksiegowanieFrm::Przygotuj() {
    const db::Row* t = dm_.TransKL.current();
    if (!t)
        return false;
    wpisId_ = (*t)["WPISID"].toInt();
    kwota_ = (*t)["ZAPLACONO"].toMoney();
    lista_.zakoncz();
    lista_.setParam(QStringLiteral("KlientId"), (*t)["KLIENTID"].toInt());
    FiltrEd->blockSignals(true);
    FiltrEd->clear();
    FiltrEd->blockSignals(false);
    lista_.ustawFiltr(QString());
    if (!OtworzKlienci())
        return false;
    PrzeksiegujBtn->setEnabled(lista_.maBiezacy());

    // The payer's name as the statement gave it, which may differ from the register's.
    const QString nazwaKl = (*t).columns()->indexOf(QStringLiteral("NAZWA_KL")) >= 0
                                ? (*t)["NAZWA_KL"].toString()
                                : QString();
    KontrahentLbl->setText(nazwaKl);
    ZKontaLbl->setText(dm_.NazwaKlienta((*t)["KLIENTID"].toInt()));
    OpisLbl->setText((*t)["OPIS_TR"].toString());
    const db::Value data = (*t)["DATA_TR"];
    DataLbl->setText(data.isNull() ? QString()
                                   : data.toDate().qdate().toString(QStringLiteral("dd-MM-yyyy")));
    KwotaLbl->setText((*t)["ZAPLACONO"].toMoney().format(QLocale()));
    FiltrEd->setFocus();
    return true;
}

int TPrzeksiegowanieFrm::Execute() {
    if (!Przygotuj())
        return QDialog::Rejected;
    return exec();
}

QString TPrzeksiegowanieFrm::Pytanie() const {
    const Dataset& l = lista_.lista();
    QString cel = l.field(QStringLiteral("NAZWA")).toString().trimmed();
    // Two contractors of one name differ by their tax numbers.
    const QString nip = l.field(QStringLiteral("NR_NIP")).toString().trimmed();
    if (!nip.isEmpty())
        cel += QStringLiteral(" (NIP ") + nip + u')';
    return QStringLiteral("Przeksięgować wpłatę ") + FormatWaluty(kwota_) +
           QStringLiteral(" na: ") + cel + u'?';
}

void TPrzeksiegowanieFrm::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !PrzeksiegujBtn->isEnabled()) {
        Uwaga(QStringLiteral("Wybierz z listy kontrahenta, na którego przeksięgować wpłatę."));
        return;
    }
    QDialog::keyPressEvent(event);
}

void TPrzeksiegowanieFrm::PrzeksiegujBtnClick() {
    const int nowy = lista_.biezacyKlientId();
    if (nowy <= 0 || !ZgodaDefNo(Pytanie()))
        return;
    try {
        if (!PonawiajPrzyBlokadzie([&] { Przeksieguj(dm_.conn, wpisId_, nowy); }))
            return;
    } catch (const PrzeksiegowanieOdmowa& e) {
        Uwaga(e.komunikat());
        return;
    } catch (const db::Error& e) {
        // Nothing was moved: the transaction rolled back.
        Blad(QStringLiteral("Transakcji nie przeksięgowano.\r") + e.message());
        return;
    }
    accept();
}

void TPrzeksiegowanieFrm::done(int r) {
    QDialog::done(r);
    lista_.zakoncz();
}
