#include "frmKlienci.h"

#include "DataGrid.h"
#include "FWindow.h"
#include "PoleSzukania.h"
#include "fdm.h"
#include "frmKlient.h"
#include "frmKonto.h"
#include "frmPolaczFirmy.h"
#include "frmSzczegoly.h"
#include "komun.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
const QString KLIENTID = QStringLiteral("KLIENTID");

// The designed widths of "RB", "Identyfikator VAT", "Nazwa", "Adres", "Telefon", "E-mail".
const std::vector<int> SzerokosciProjektu = {30, 110, 250, 220, 100, 150};

std::vector<DatasetColumn> kolumnyKlienta() {
    DatasetColumn rb{QStringLiteral("KONTOTN"), QStringLiteral("RB"),
                     // A true minus sign: it reads as the mark, not as a stray hyphen.
                     [](const db::Value& v) {
                         return v.toString().trimmed() == QStringLiteral("-") ? QStringLiteral("−")
                                                                              : QString();
                     },
                     Qt::AlignCenter};
    return {rb,
            {QStringLiteral("NR_NIP"), QStringLiteral("Identyfikator VAT"), {}},
            {QStringLiteral("NAZWA"), QStringLiteral("Nazwa"), {}},
            {QStringLiteral("ADRES"), QStringLiteral("Adres"), {}},
            {QStringLiteral("TELEFON1"), QStringLiteral("Telefon"), {}},
            {QStringLiteral("EMAIL1"), QStringLiteral("E-mail"), {}}};
}
} // namespace

TKlienciFrm::TKlienciFrm(Tdm& dm, TKlientFrm& klientFrm, TKontoFrm& kontoFrm,
                         TSzczegolyFrm& szczegolyFrm, TPolaczFirmyFrm& polaczFrm,
                         Zewnetrzne zewnetrzne, QWidget* parent)
    : QDialog(parent), dm_(dm), klientFrm_(klientFrm), kontoFrm_(kontoFrm),
      szczegolyFrm_(szczegolyFrm), polaczFrm_(polaczFrm), zewnetrzne_(std::move(zewnetrzne)) {
    setObjectName(QStringLiteral("KlienciFrm"));
    setWindowTitle(QStringLiteral("Kontrahenci"));
    setMinimumSize(780, 560);
    setSizeGripEnabled(true);

    // Two "Dopisz", "Popraw" and "Usuń" (contractors, accounts) claim different letters.
    KlientDopiszBtn = new QPushButton(QStringLiteral("&Dopisz"), this);
    KlientPoprawBtn = new QPushButton(QStringLiteral("&Popraw"), this);
    KlientUsunBtn = new QPushButton(QStringLiteral("&Usuń"), this);
    PolaczBtn = new QPushButton(QStringLiteral("Dołą&cz dane innego kontrahenta"), this);
    KontoDopiszBtn = new QPushButton(QStringLiteral("Dop&isz"), this);
    KontoDopiszBtn->setToolTip(QStringLiteral("Dopisz rachunek bankowy"));
    KontoPoprawBtn = new QPushButton(QStringLiteral("Popra&w"), this);
    KontoPoprawBtn->setToolTip(QStringLiteral("Popraw rachunek bankowy"));
    KontoUsunBtn = new QPushButton(QStringLiteral("U&suń"), this);
    KontoUsunBtn->setToolTip(QStringLiteral("Usuń rachunek bankowy"));
    PobierzBtn = new QPushButton(QStringLiteral("Po&bierz"), this);
    PobierzBtn->setToolTip(QStringLiteral("Pobierz numery rachunków z białej listy VAT"));
    SzczegolyBtn = new QPushButton(QStringLiteral("Szcze&góły"), this);
    SzukajBtn = new QPushButton(QStringLiteral("Szu&kaj"), this);
    ZamknijBtn = new QPushButton(QStringLiteral("&Zamknij"), this);
    for (QPushButton* b :
         {KlientDopiszBtn, KlientPoprawBtn, KlientUsunBtn, PolaczBtn, KontoDopiszBtn,
          KontoPoprawBtn, KontoUsunBtn, PobierzBtn, SzczegolyBtn, SzukajBtn, ZamknijBtn})
        b->setAutoDefault(false);
    szukanie_ = new TPoleSzukania(dm_.Klient, dm_.conn, this);
    SzukajEd = szukanie_->SzukajEd;
    SzukajEd->setPlaceholderText(QStringLiteral("Nazwa, NIP lub numer rachunku kontrahenta"));
    SzukajNotkaLbl = szukanie_->NotkaLbl;
    SaldoLbl = new QLabel(this);
    QFont f = SaldoLbl->font();
    f.setBold(true);
    SaldoLbl->setFont(f);
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);

    KlientGrid = new DataGrid(this);
    KlientGrid->setObjectName(NazwaSiatki);
    KlientGrid->horizontalHeader()->setStretchLastSection(true);
    KlientGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // Kept widths may be as narrow as the layout store allows.
    KlientGrid->horizontalHeader()->setMinimumSectionSize(GridLayout::MinSzerokosc);
    KontoGrid = new DataGrid(this);
    // An account number is read whole, never cut.
    KontoGrid->setMinimumWidth(KontoGrid->fontMetrics().horizontalAdvance(
                                   QStringLiteral("00 0000 0000 0000 0000 0000 0000")) +
                               30);

    auto* gora = new QHBoxLayout;
    for (QPushButton* b : {KlientDopiszBtn, KlientPoprawBtn, KlientUsunBtn, PolaczBtn})
        gora->addWidget(b);
    gora->addStretch();

    // Two rows of account buttons leave the contractors' list the width for the address.
    auto* kontaPrzyciski = new QGridLayout;
    kontaPrzyciski->addWidget(KontoDopiszBtn, 0, 0);
    kontaPrzyciski->addWidget(KontoPoprawBtn, 0, 1);
    kontaPrzyciski->addWidget(KontoUsunBtn, 1, 0);
    kontaPrzyciski->addWidget(PobierzBtn, 1, 1);
    auto* prawa = new QVBoxLayout;
    prawa->addLayout(kontaPrzyciski);
    prawa->addWidget(KontoGrid, 1);
    prawa->addWidget(SaldoLbl);
    auto* szczegolyRzad = new QHBoxLayout;
    szczegolyRzad->addStretch();
    szczegolyRzad->addWidget(SzczegolyBtn);
    prawa->addLayout(szczegolyRzad);

    auto* srodek = new QHBoxLayout;
    srodek->addWidget(KlientGrid, 5);
    srodek->addLayout(prawa, 2);

    auto* szukajLbl = new QLabel(QStringLiteral("Kontra&hent:"), this);
    szukajLbl->setBuddy(SzukajEd);
    auto* dol = new QHBoxLayout;
    dol->addWidget(SzukajBtn);
    dol->addWidget(szukajLbl);
    dol->addWidget(SzukajEd, 1);
    dol->addWidget(SzukajNotkaLbl);
    dol->addSpacing(24);
    dol->addWidget(ZamknijBtn);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(gora);
    layout->addLayout(srodek, 1);
    layout->addLayout(dol);
    layout->addWidget(StatusBar);
    resize(980, 600);

    connect(SzukajBtn, &QPushButton::clicked, this, &TKlienciFrm::SzukajBtnClick);
    connect(KlientDopiszBtn, &QPushButton::clicked, this, &TKlienciFrm::KlientDopiszBtnClick);
    connect(KlientPoprawBtn, &QPushButton::clicked, this, &TKlienciFrm::KlientPoprawBtnClick);
    connect(KlientUsunBtn, &QPushButton::clicked, this, &TKlienciFrm::KlientUsunBtnClick);
    connect(PolaczBtn, &QPushButton::clicked, this, &TKlienciFrm::PolaczBtnClick);
    connect(KontoDopiszBtn, &QPushButton::clicked, this, &TKlienciFrm::KontoDopiszBtnClick);
    connect(KontoPoprawBtn, &QPushButton::clicked, this, &TKlienciFrm::KontoPoprawBtnClick);
    connect(KontoUsunBtn, &QPushButton::clicked, this, &TKlienciFrm::KontoUsunBtnClick);
    connect(PobierzBtn, &QPushButton::clicked, this, &TKlienciFrm::PobierzNumeryKont);
    connect(SzczegolyBtn, &QPushButton::clicked, this, &TKlienciFrm::SzczegolyBtnClick);
    connect(ZamknijBtn, &QPushButton::clicked, this, &QDialog::accept);
    // A double click or Enter on a contractor opens its ledger, as on every list of
    // contractors; "Popraw" corrects it. On an account it corrects the account.
    connect(KlientGrid, &DataGrid::activated, this, [this] {
        if (SzczegolyBtn->isEnabled())
            SzczegolyBtnClick();
    });
    connect(KontoGrid, &DataGrid::activated, this, [this] {
        if (KontoPoprawBtn->isEnabled())
            KontoPoprawBtnClick();
    });

    UpdateBtns();
}

void TKlienciFrm::powiaz() {
    // The lists are shared with other windows: their columns are set each time.
    dm_.Klient.setColumns(kolumnyKlienta());
    DatasetColumn konto{QStringLiteral("KontoStr"), QStringLiteral("Numer rachunku bankowego"), {}};
    dm_.KontoKL.setColumns({konto});
    KlientGrid->setDataset(&dm_.Klient);
    KontoGrid->setDataset(&dm_.KontoKL);
    KontoGrid->horizontalHeader()->setStretchLastSection(true);
    // The designed widths; the widths the user left are given back when the window is shown.
    for (size_t i = 0; i < SzerokosciProjektu.size(); ++i)
        KlientGrid->setColumnWidth(static_cast<int>(i), SzerokosciProjektu[i]);
    connect(&dm_.Klient, &Dataset::currentChanged, this, &TKlienciFrm::KlientChange);
    // The count follows every change of the rows (an added contractor too); the names are
    // upper-cased again only when the whole list was read.
    connect(&dm_.Klient, &QAbstractItemModel::modelReset, this, &TKlienciFrm::pokazLiczbe);
    connect(&dm_.Klient, &Dataset::reopened, this, [this] { szukanie_->przygotuj(); });
    powiazany_ = true;
}

void TKlienciFrm::rozwiaz() {
    if (!powiazany_)
        return;
    disconnect(&dm_.Klient, nullptr, this, nullptr);
    KlientGrid->setDataset(nullptr);
    KontoGrid->setDataset(nullptr);
    powiazany_ = false;
}

void TKlienciFrm::Przygotuj() {
    if (!powiazany_)
        powiaz();
    SzukajEd->clear();
    KlientChange();
    pokazLiczbe();
    szukanie_->przygotuj();
    // Centred on the desktop, as every opening of the register.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    KlientDopiszBtn->setFocus();
}

void TKlienciFrm::Execute() {
    Przygotuj();
    exec();
}

void TKlienciFrm::done(int r) {
    QDialog::done(r); // hidden first: the widths are kept while the list is still bound
    rozwiaz();
}

int TKlienciFrm::biezacyKlient() const {
    const Dataset& k = dm_.Klient;
    if (!k.isOpen() || !k.current())
        return -1;
    return k.field(KLIENTID).toInt();
}

void TKlienciFrm::pokazLiczbe() {
    StatusBar->showMessage(dm_.Klient.isOpen()
                               ? QStringLiteral("Kontrahentów: %1").arg(dm_.Klient.recordCount())
                               : QString());
}

void TKlienciFrm::UpdateKontoKL() {
    dm_.OtworzKontoKL(biezacyKlient());
}

void TKlienciFrm::PokazSaldo() {
    SaldoLbl->setText(kontrahenci::TekstSalda(dm_));
}

void TKlienciFrm::UpdateBtns() {
    const kontrahenci::Przyciski p = kontrahenci::RegulyPrzyciskow(dm_);
    KlientDopiszBtn->setEnabled(p.klientDopisz);
    KlientPoprawBtn->setEnabled(p.klientPopraw);
    KlientUsunBtn->setEnabled(p.klientUsun);
    PolaczBtn->setEnabled(p.polacz);
    KontoDopiszBtn->setEnabled(p.kontoDopisz);
    KontoPoprawBtn->setEnabled(p.kontoPopraw);
    KontoUsunBtn->setEnabled(p.kontoUsun);
    PobierzBtn->setEnabled(p.pobierz);
    SzczegolyBtn->setEnabled(p.szczegoly);
    // Searching needs an open list, like every button but "Dopisz".
    SzukajBtn->setEnabled(p.klientDopisz);
}

void TKlienciFrm::KlientChange() {
    UpdateKontoKL();
    PokazSaldo();
    UpdateBtns();
}

void TKlienciFrm::SzukajBtnClick() {
    if (!zewnetrzne_.szukajKlienta)
        return;
    // The list starts filtered by what is typed beside the button.
    const int id = zewnetrzne_.szukajKlienta(SzukajEd->text());
    if (id > 0)
        dm_.Klient.locate(KLIENTID, id);
}

void TKlienciFrm::KlientDopiszBtnClick() {
    klientFrm_.Wstaw();
    UpdateBtns();
}

void TKlienciFrm::KlientPoprawBtnClick() {
    klientFrm_.Popraw();
    UpdateBtns();
}

void TKlienciFrm::KlientUsunBtnClick() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    // The balance and the ledger rows as they are now: the question names what goes.
    const std::optional<kontrahenci::StanKlienta> stan = kontrahenci::CzytajStanKlienta(dm_, id);
    if (!stan) {
        Uwaga(QStringLiteral("Kontrahenta usunięto już na innym stanowisku."));
        dm_.OtworzKlient();
        UpdateBtns();
        return;
    }
    if (!ZgodaDefNo(kontrahenci::PytanieUsunieciaKlienta(*stan)))
        return;
    if (!ZgodaOst(QStringLiteral(
            "Usunięcie kontrahenta z wykazu kasuje wszystkie jego dane. Kontynuować ?")))
        return;
    const kontrahenci::WynikUsuniecia w = kontrahenci::UsunKlienta(dm_, *stan);
    UpdateBtns();
    if (w.blad)
        Blad(w.komunikat);
    else if (!w.komunikat.isEmpty())
        Uwaga(w.komunikat);
}

void TKlienciFrm::PolaczBtnClick() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    if (polaczFrm_.Execute(id) == QDialog::Accepted && polaczFrm_.Scalono) {
        dm_.OtworzKlient();
        dm_.Klient.locate(KLIENTID, id);
    }
    UpdateBtns();
}

void TKlienciFrm::KontoDopiszBtnClick() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    kontoFrm_.Wstaw(id);
    kontrahenci::OdswiezKlienta(dm_, id);
    UpdateBtns();
}

void TKlienciFrm::KontoPoprawBtnClick() {
    kontoFrm_.Popraw();
    UpdateBtns();
}

void TKlienciFrm::KontoUsunBtnClick() {
    const Dataset& konta = dm_.KontoKL;
    if (!konta.current())
        return;
    const QString tekst =
        kontrahenci::TekstKonta(konta.field(QStringLiteral("KR_KONTO")).toString(),
                                konta.field(QStringLiteral("NR_KONTO")).toString());
    if (!ZgodaDefNo(QStringLiteral("Usunąć rachunek bankowy ") + tekst +
                    QStringLiteral(" z wykazu?")))
        return;
    const int id = biezacyKlient();
    try {
        kontrahenci::UsunKonto(dm_, id);
    } catch (...) {
        UpdateBtns();
        throw;
    }
    UpdateBtns();
}

void TKlienciFrm::PobierzNumeryKont() {
    const int id = biezacyKlient();
    if (id <= 0)
        return;
    if (zewnetrzne_.pobierzKonta)
        zewnetrzne_.pobierzKonta(dm_.Klient.field(QStringLiteral("NR_NIP")).toString());
    UpdateKontoKL();
    kontrahenci::OdswiezKlienta(dm_, id);
    UpdateBtns();
}

void TKlienciFrm::SzczegolyBtnClick() {
    const int id = biezacyKlient();
    if (id > 0)
        szczegolyFrm_.Execute(id);
}
